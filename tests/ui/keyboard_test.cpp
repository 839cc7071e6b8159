// The whole window by keyboard and by one switch: the map's keys, Tab, the menu, the scan.
#include "play_fixture.h"

#include "catalogo.h"
#include "front_pixel.h"
#include "keyboard_stops.h"
#include "scanner.h"

#include <QAccessible>

using namespace brindora;
using namespace brindora::testing;

namespace {

// What a game tells its record, one line per event, as the results writer hears it.
struct Journal : GameObserver {
    std::vector<std::string> lines;
    void requested(Counter request, StateNumber state) override {
        lines.push_back("request " + std::to_string(request) + " " + std::to_string(state));
    }
    void answered(const Answer& a) override {
        lines.push_back("answer " + std::to_string(a.request) + " " + std::to_string(a.asked) +
                        " " + std::to_string(a.clicked) + " " + a.regionText +
                        (a.right ? " right" : " wrong"));
    }
    void ended(GameEnd how) override { lines.push_back("end " + std::to_string(int(how))); }
};

struct WithJournal {
    Journal journal;
};

class KeyboardTest : public WithJournal, public PlayTest {
public:
    explicit KeyboardTest(bool explore = false, int scan = 0)
        : PlayTest(false, &journal, explore, scan) {}

    MapBox* map() const { return client->picture2(); }
    void activate() {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    // Page Down steps through every stop in the reading order.
    void highlight(StateNumber state) {
        for (int i = 0; i <= kStopCount && map()->highlighted() != state; ++i)
            QTest::keyClick(map(), Qt::Key_PageDown);
        ASSERT_EQ(map()->highlighted(), state);
    }
    QImage mapPicture() const { return map()->grab().toImage(); }
    // Everything an answer may change, to compare a click's with a key's.
    struct Trace {
        QStringList boxes;
        std::vector<std::string> sounds, journal;
        QString reg;
        Counter punti, errori; // how much each rose
        bool car;
        bool operator==(const Trace& o) const {
            return std::tie(boxes, sounds, journal, reg, punti, errori, car) ==
                   std::tie(o.boxes, o.sounds, o.journal, o.reg, o.punti, o.errori, o.car);
        }
    };
    template <typename Answer> Trace traceOf(Answer answer) {
        const std::size_t box0 = boxes.seen.size(), sound0 = sounds.size(),
                          line0 = journal.lines.size();
        const Counter punti0 = form.game().punti(), errori0 = form.game().errori();
        answer();
        tick();
        return {boxes.texts().mid(int(box0)),
                {sounds.begin() + long(sound0), sounds.end()},
                {journal.lines.begin() + long(line0), journal.lines.end()},
                client->lblreg()->text(),
                form.game().punti() - punti0,
                form.game().errori() - errori0,
                !client->command2()->isHidden()};
    }
};

struct Judgement : NamedCase {
    int asked; // 0: before the first request
    StateNumber answered;
};

const Judgement kJudgements[] = {
    {"right", 1, 1},
    {"wrong", 1, 2},
    {"right on a state of seven regions", 13, 13},
    {"wrong with Portugal's own text", 8, 10},
    {"before the first request", 0, 8},
};

class SpaceJudgement : public KeyboardTest, public ::testing::WithParamInterface<Judgement> {};

// The same answer twice, by a click and then by Space: each leaves the same trace (a right
// answer repeated is right again, a wrong one counts again).
TEST_P(SpaceJudgement, SpaceAnswersExactlyAsAClick) {
    const Judgement& c = GetParam();
    if (c.asked != 0)
        pressCommand2(c.asked);
    const MapPixel at = frontPixel(*firstRegionOf(c.answered));
    const Trace byClick = traceOf([&] { clickMap({at.x, at.y}); });
    highlight(c.answered);
    const Trace byKey = traceOf([&] { QTest::keyClick(map(), Qt::Key_Space); });
    EXPECT_TRUE(byKey == byClick) << byKey.boxes.join("|").toStdString() << " vs "
                                  << byClick.boxes.join("|").toStdString();
    ASSERT_EQ(byKey.boxes.size(), 1);
    const std::string name(lookupState(c.answered)->name);
    EXPECT_EQ(byKey.boxes[0] == QStringLiteral("        ESATTO"), c.asked == c.answered);
    ASSERT_EQ(byKey.journal.size(), 1u);
    EXPECT_NE(byKey.journal[0].find(" " + std::to_string(c.answered) + " "), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Answers, SpaceJudgement, ::testing::ValuesIn(kJudgements), ByName());

TEST_F(KeyboardTest, TabAndShiftTabLeaveTheMap) {
    activate();
    map()->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(map()->hasFocus());
    QTest::keyClick(map(), Qt::Key_Right);
    QTest::keyClick(map(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), client->command3());
    EXPECT_FALSE(map()->highlightShown()); // it waits where it was
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), map());
    EXPECT_TRUE(map()->highlightShown());
    EXPECT_EQ(map()->highlighted(), kFirstStop);
    QTest::keyClick(map(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), client->command2());
}

// Until a key reaches the map it looks as it always has; then its focus frame and the
// highlight show, and in the quiz nothing names the state, to the eye or to a screen reader.
TEST_F(KeyboardTest, NothingShowsUntilAKeyAndNothingIsGivenAway) {
    activate();
    const QImage before = mapPicture();
    clickMap(kSea); // the map takes the keyboard, as a click gives it
    ASSERT_TRUE(map()->hasFocus());
    EXPECT_EQ(mapPicture(), before);
    QTest::keyClick(map(), Qt::Key_Down);
    EXPECT_EQ(map()->highlighted(), kFirstStop);
    EXPECT_NE(mapPicture(), before);
    QTest::keyClick(map(), Qt::Key_Right);
    EXPECT_EQ(map()->highlighted(), arrowTarget(kFirstStop, Arrow::Right));
    EXPECT_EQ(client->lblreg()->text(), "");
    EXPECT_TRUE(sounds.size() == 1u) << "only the anthem";

    QAccessibleInterface* mapAccess = QAccessible::queryAccessibleInterface(map());
    ASSERT_NE(mapAccess, nullptr);
    EXPECT_EQ(mapAccess->text(QAccessible::Name), "Carta d'Europa");
    QStringList spoken{mapAccess->text(QAccessible::Name),
                       mapAccess->text(QAccessible::Description)};
    for (QWidget* button : std::initializer_list<QWidget*>{client->command2(), client->command3()}) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(a, nullptr);
        EXPECT_FALSE(a->text(QAccessible::Name).isEmpty());
        spoken << a->text(QAccessible::Name) << a->text(QAccessible::Description);
    }
    for (const StateRow& row : catalogo)
        EXPECT_FALSE(spoken.join(" ").contains(QString::fromUtf8(row.name.data())))
            << row.name;
}

class ExploreKeys : public KeyboardTest {
public:
    ExploreKeys() : KeyboardTest(true) {}
};

TEST_F(ExploreKeys, MovingNamesEachStateAndSpaceNamesItAgain) {
    QTest::keyClick(map(), Qt::Key_Left);
    EXPECT_EQ(client->lblreg()->text(), "Germania");
    QTest::keyClick(map(), Qt::Key_Right);
    EXPECT_EQ(client->lblreg()->text(), "Repubblica Ceca");
    EXPECT_EQ(map()->accessibleDescription(), "Repubblica Ceca");
    QTest::keyClick(map(), Qt::Key_Space);
    EXPECT_EQ(sounds, (std::vector<std::string>{sound("inno.wav"), sound("Germania.wav"),
                                                sound("Repubblica Ceca.wav"),
                                                sound("Repubblica Ceca.wav")}));
    tick();
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_EQ(errori(), "0");
}

// F10, or Alt alone, leads into the menu bar; Enter chooses; the box's OK has the keyboard.
TEST_F(KeyboardTest, TheMenuBarByF10AndByAlt) {
    for (const Qt::Key key : {Qt::Key_F10, Qt::Key_Alt}) {
        activate();
        map()->setFocus();
        boxes.whileOpen = [](const SeenBox&) {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            EXPECT_EQ(box->focusWidget(), box->button(QMessageBox::Ok));
        };
        const std::size_t before = boxes.seen.size();
        QTest::keyClick(map(), key);
        EXPECT_EQ(form.menu()->activeAction(),
                  form.menu()->findChild<QAction*>(QStringLiteral("istruzioni")));
        ASSERT_TRUE(form.menu()->hasFocus());
        QTest::keyClick(form.menu(), Qt::Key_Return);
        ASSERT_EQ(boxes.seen.size(), before + 1);
        EXPECT_EQ(boxes.seen.back().title, "Attenzione");
        EXPECT_EQ(form.focusWidget(), map()); // back where it was
    }
    // Esc leaves the bar without choosing.
    activate();
    form.menu()->enterByKeyboard();
    ASSERT_TRUE(form.menu()->hasFocus());
    QTest::keyClick(form.menu(), Qt::Key_Right);
    QTest::keyClick(form.menu(), Qt::Key_Escape);
    EXPECT_EQ(form.focusWidget(), map());
}

class ScanTest : public KeyboardTest, public ::testing::WithParamInterface<Qt::Key> {
public:
    ScanTest() : KeyboardTest(false, 2000) {}
    // The switch: one key, to whatever has the keyboard. (The desktop gives the window back
    // its keyboard after a box; the offscreen platform needs to be told.)
    void press() {
        activate();
        QTest::keyClick(form.focusWidget(), GetParam());
    }
    const Scanner& scanner() const { return *form.scanner(); }
};

TEST_P(ScanTest, StepsByHandAndPausesUnderABox) {
    EXPECT_EQ(form.focusWidget(), client->command2()); // the switch presses it while it shows
    EXPECT_FALSE(scanner().timer().isActive());
    boxes.whileOpen = [this](const SeenBox&) {
        EXPECT_FALSE(scanner().timer().isActive());
        const StateNumber at = map()->highlighted();
        form.scanner()->step();
        EXPECT_EQ(map()->highlighted(), at);
    };
    random.values.push_back(ScriptedRandom::forState(3));
    press();
    ASSERT_EQ(boxes.texts(), QStringList{"Clicca sulla Grecia"});
    EXPECT_EQ(form.focusWidget(), map());
    EXPECT_TRUE(scanner().timer().isActive());
    EXPECT_EQ(scanner().timer().interval(), 2000);
    for (int i = 0; i < 3; ++i) {
        form.scanner()->step();
        EXPECT_EQ(map()->highlighted(), readingOrder()[i]);
    }
    press(); // a wrong answer, and the scan starts again where it was
    EXPECT_EQ(boxes.seen.back().text.toStdString(),
              std::string(firstRegionOf(readingOrder()[2])->wrongText));
    EXPECT_EQ(map()->highlighted(), readingOrder()[2]);
    EXPECT_TRUE(scanner().timer().isActive());
}

// Asking, answering and closing every box with the one switch, to the end at 20 errors.
TEST_P(ScanTest, TheSwitchAlonePlaysAWholeGame) {
    boxes.holdMs = 60000; // the switch closes them
    boxes.whileOpen = [this](const SeenBox&) {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        EXPECT_EQ(box->focusWidget(), box->button(QMessageBox::Ok));
        QTest::keyClick(box->focusWidget(), GetParam());
    };
    const auto scanTo = [this](StateNumber state) {
        for (int i = 0; i <= kStopCount && map()->highlighted() != state; ++i)
            form.scanner()->step();
    };
    for (const StateNumber asked : {26, 13, 24}) {
        random.values.push_back(ScriptedRandom::forState(asked));
        press();
        scanTo(asked);
        press();
        tick();
        EXPECT_EQ(boxes.seen.back().text, "        ESATTO");
        EXPECT_EQ(form.focusWidget(), client->command2());
    }
    random.values.push_back(ScriptedRandom::forState(1));
    press();
    while (!form.ended() && boxes.seen.size() < 60) {
        scanTo(map()->highlighted() == 2 ? 3 : 2);
        press();
        tick();
    }
    EXPECT_TRUE(form.ended());
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(punti(), "3");
    EXPECT_EQ(boxes.seen.back().title, "Fine del gioco");
    EXPECT_EQ(journal.lines.back(), "end " + std::to_string(int(GameEnd::TooManyErrors)));
}

INSTANTIATE_TEST_SUITE_P(Switch, ScanTest, ::testing::Values(Qt::Key_Space, Qt::Key_Enter),
                         [](const auto& info) {
                             return info.param == Qt::Key_Space ? "Space" : "Enter";
                         });

} // namespace
