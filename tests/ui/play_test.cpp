// Whole games through the real window: clicks on the map and buttons, boxes closed by the test.
#include "box_closer.h"
#include "client_area.h"
#include "form1.h"
#include "game.h"
#include "game_menu_bar.h"
#include "graphical_button.h"
#include "map_box.h"
#include "recording_window.h"

#include <QAction>
#include <QTest>
#include <gtest/gtest.h>

using namespace brindora;
using brindora::testing::BoxCloser;
using brindora::testing::ScriptedRandom;
using brindora::testing::SeenBox;

namespace {

const QString kDir = QStringLiteral("/nonexistent/brindora");
const QString kTitle = QStringLiteral("Brindora");

std::string sound(const char* file) {
    return (kDir + QStringLiteral("/Europa/") + QLatin1String(file)).toStdString();
}

// Points of the map in client pixels, each well inside what it names.
const QPoint kRomania{370, 380}, kBulgaria{380, 425}, kFrance{120, 360}, kPortugalSouth{10, 440};
const QPoint kSlovenia{264, 373}, kItalyEdge{263, 373};

class PlayTest : public ::testing::Test {
public:
    ScriptedRandom random;
    int quits = 0;
    std::vector<std::string> sounds;
    BoxCloser boxes;
    Form1 form{Form1Options{&random, kDir, [this] { ++quits; },
                            [this](const std::string& p) { sounds.push_back(p); }}};
    ClientArea* client = form.client();

    void SetUp() override {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    void pressCommand2(int drawnState) {
        random.values.push_back(ScriptedRandom::forState(drawnState));
        QTest::mouseClick(client->command2(), Qt::LeftButton);
    }
    void clickMap(QPoint clientPixel) {
        MapBox* map = client->picture2();
        QTest::mouseClick(map, Qt::LeftButton, {}, clientPixel + map->clientRect().topLeft());
    }
    void chooseMenu(const char* name) {
        form.menu()->findChild<QAction*>(QLatin1String(name))->trigger();
    }
    // Long enough for Timer1 to have ticked.
    void waitTicks() { QTest::qWait(3 * form.timer1().interval()); }
    QString punti() const { return client->lblpunti()->text(); }
    QString errori() const { return client->lblerrori()->text(); }
};

TEST_F(PlayTest, TheAnthemStartsWithTheWindowAndTimer1Runs) {
    EXPECT_EQ(sounds, std::vector<std::string>{sound("inno.wav")});
    EXPECT_TRUE(form.timer1().isActive());
    EXPECT_EQ(form.timer1().interval(), 20);
    EXPECT_EQ(punti(), "0");
    EXPECT_EQ(errori(), "0");
    EXPECT_TRUE(client->lblreg()->text().isEmpty());
    EXPECT_TRUE(client->command2()->isVisible());
}

TEST_F(PlayTest, ARightAnswerAndTheNextRequest) {
    bool checked = false;
    boxes.whileOpen = [&](const SeenBox&) {
        if (checked)
            return;
        EXPECT_TRUE(client->lblreg()->text().isEmpty());
        EXPECT_TRUE(client->command2()->isVisible());
        checked = true;
    };
    pressCommand2(1);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, "Clicca sulla Romania");
    EXPECT_EQ(boxes.seen[0].title, kTitle);
    EXPECT_EQ(boxes.seen[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(boxes.seen[0].buttons, 1);
    EXPECT_TRUE(boxes.seen[0].plainText);
    EXPECT_TRUE(checked);
    EXPECT_EQ(sounds.back(), sound("Romania.wav"));
    EXPECT_EQ(client->lblreg()->text(), "Romania");
    EXPECT_FALSE(client->command2()->isVisible());

    clickMap(kRomania);
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(boxes.seen[1].text, "        ESATTO");
    EXPECT_EQ(boxes.seen[1].title, kTitle);
    EXPECT_EQ(sounds.back(), sound("esatto.wav"));
    EXPECT_TRUE(client->command2()->isVisible());
    EXPECT_TRUE(client->lblreg()->text().isEmpty());
    EXPECT_EQ(client->lblreg()->width(), 0);

    pressCommand2(7);
    EXPECT_EQ(boxes.seen.back().text, "Clicca sulla Repubblica Ceca");
    EXPECT_EQ(client->lblreg()->text(), "Repubblica Ceca");
    waitTicks();
    EXPECT_EQ(punti(), "1");
    EXPECT_EQ(errori(), "0");
}

struct Click {
    const char* what;
    QPoint at;          // client pixel of the map
    const char* answer; // the box it brings, or nullptr for none
};

// Asked: France. Every click is judged against it, or does nothing.
const Click kClicks[] = {
    {"Romania", kRomania, "Questa \u00e8 la Romania"},
    {"Bulgaria", kBulgaria, "Questa \u00e8 la Bulgaria"},
    {"southern Portugal", kPortugalSouth, "Questo \u00e8  il Portogallo"},
    {"Slovenia over Italy", kSlovenia, "Questa \u00e8 la Slovenia"},
    {"Italy beside Slovenia", kItalyEdge, "Questa \u00e8 l'Italia"},
    {"France", kFrance, "        ESATTO"},
    {"inert zone over north-eastern France", {160, 320}, nullptr},
    {"inert zone on the Pyrenees", {140, 403}, nullptr},
    {"Switzerland", {206, 356}, nullptr},
    {"Norway", {273, 53}, nullptr},
    {"the sea", {20, 60}, nullptr},
    {"the heading line", {30, 10}, nullptr},
    {"the map's border", {-1, 300}, nullptr},
};

TEST_F(PlayTest, ClicksOnTheMapWhileFranceIsAsked) {
    pressCommand2(8);
    int errors = 0;
    for (const Click& click : kClicks) {
        SCOPED_TRACE(click.what);
        const std::size_t before = boxes.seen.size();
        clickMap(click.at);
        if (click.answer == nullptr) {
            EXPECT_EQ(boxes.seen.size(), before);
        } else {
            ASSERT_EQ(boxes.seen.size(), before + 1);
            EXPECT_EQ(boxes.seen.back().text, QString::fromUtf8(click.answer));
            EXPECT_EQ(boxes.seen.back().title, kTitle);
            errors += QString::fromUtf8(click.answer) != QStringLiteral("        ESATTO");
        }
        waitTicks();
        EXPECT_EQ(errori(), QString::number(errors));
        EXPECT_EQ(form.game().errori(), errors);
    }
}

TEST_F(PlayTest, PressAndReleaseOnDifferentRegionsIsNoClick) {
    MapBox* map = client->picture2();
    const QPoint origin = map->clientRect().topLeft();
    QTest::mousePress(map, Qt::LeftButton, {}, origin + kRomania);
    QTest::mouseRelease(map, Qt::LeftButton, {}, origin + kBulgaria);
    QTest::mouseClick(map, Qt::RightButton, {}, origin + kRomania);
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_EQ(form.game().errori(), 0);
}

TEST_F(PlayTest, TheTwentiethErrorEndsTheGameOnce) {
    for (int i = 1; i <= 19; ++i)
        clickMap(kBulgaria); // before the first request every region is wrong
    waitTicks();
    EXPECT_EQ(errori(), "19");
    EXPECT_EQ(quits, 0);

    boxes.holdMs = 200; // Timer1 keeps ticking while the end box is open
    boxes.whileOpen = [&](const SeenBox& box) {
        if (box.title == QStringLiteral("Fine del gioco"))
            for (int i = 0; i < 5; ++i)
                form.timer1Timer();
    };
    clickMap(kBulgaria);
    for (int i = 0; i < 50 && quits == 0; ++i)
        QTest::qWait(20);
    ASSERT_EQ(boxes.seen.size(), 21u);
    const SeenBox& end = boxes.seen.back();
    EXPECT_EQ(end.text, QString::fromUtf8("Mi dispiace hai superato la soglia dei 20 errori... La "
                                          "tua gara \u00e8 finita"));
    EXPECT_EQ(end.title, "Fine del gioco");
    EXPECT_EQ(end.icon, QMessageBox::Warning);
    EXPECT_EQ(end.buttons, 1);
    EXPECT_EQ(errori(), "20");
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(form.ended());
    EXPECT_FALSE(form.timer1().isActive());

    // Ended: nothing more is handled.
    QTest::qWait(100);
    QTest::mouseClick(client->command3(), Qt::LeftButton);
    form.timer1Timer();
    EXPECT_EQ(boxes.seen.size(), 21u);
    EXPECT_EQ(quits, 1);
}

TEST_F(PlayTest, ExitSaysGoodbyeAndEnds) {
    pressCommand2(3);
    QTest::mouseClick(client->command3(), Qt::LeftButton);
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(boxes.seen[1].text, "Ciao ti aspetto per giocare ancora insieme!");
    EXPECT_EQ(boxes.seen[1].title, kTitle);
    EXPECT_EQ(boxes.seen[1].icon, QMessageBox::NoIcon);
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(form.timer1().isActive());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(sounds.back(), sound("Grecia.wav")); // no sound of its own
}

// Steps that bring the game into one of its states.
struct GameState {
    const char* name;
    std::function<void(PlayTest&)> reach;
};

class InstructionsTest : public PlayTest, public ::testing::WithParamInterface<int> {};

const GameState kStates[] = {
    {"before the first request", [](PlayTest&) {}},
    {"searching", [](PlayTest& t) { t.pressCommand2(2); }},
    {"found",
     [](PlayTest& t) {
         t.pressCommand2(1);
         t.clickMap(kRomania);
     }},
    {"after an error",
     [](PlayTest& t) {
         t.pressCommand2(1);
         t.clickMap(kFrance);
     }},
};

TEST_P(InstructionsTest, InstructionsLeaveTheGameAsItWas) {
    kStates[GetParam()].reach(*this);
    waitTicks();
    const std::size_t before = boxes.seen.size();
    const QString reg = client->lblreg()->text();
    const bool car = client->command2()->isVisible();
    const Game& game = form.game();
    const auto counters =
        std::make_tuple(game.stato(), game.punti(), game.errori(), game.richieste());

    chooseMenu("istruzioni");
    ASSERT_EQ(boxes.seen.size(), before + 1);
    EXPECT_EQ(boxes.seen.back().text, "La tua gara finisce se superi i 20 errori...");
    EXPECT_EQ(boxes.seen.back().title, "Attenzione");
    EXPECT_EQ(boxes.seen.back().icon, QMessageBox::Warning);
    EXPECT_EQ(client->lblreg()->text(), reg);
    EXPECT_EQ(client->command2()->isVisible(), car);
    EXPECT_EQ(std::make_tuple(game.stato(), game.punti(), game.errori(), game.richieste()),
              counters);

    // The other items show nothing and change nothing.
    for (const char* item : {"Esc", "sotware", "ex", "or"})
        chooseMenu(item);
    QTest::qWait(20);
    EXPECT_EQ(boxes.seen.size(), before + 1);
    EXPECT_EQ(quits, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryState, InstructionsTest, ::testing::Range(0, 4),
                         [](const auto& info) { return std::to_string(info.param); });

TEST_F(PlayTest, EnterPressesCommand2OnlyWhileItIsShown) {
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    random.values.push_back(ScriptedRandom::forState(5));
    QTest::keyClick(&form, Qt::Key_Return);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, "Clicca sull'Ungheria");
    EXPECT_FALSE(client->command2()->isVisible());

    random.values.push_back(ScriptedRandom::forState(5)); // would be drawn by a wrong press
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_Return);
    QTest::keyClick(&form, Qt::Key_Escape);
    QTest::qWait(20);
    EXPECT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(form.game().richieste(), 1);
}

TEST_F(PlayTest, ClosingTheWindowEndsWithoutABox) {
    form.close();
    QTest::qWait(50);
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_FALSE(form.timer1().isActive());
    EXPECT_TRUE(form.ended());
}

// Without a test's quit hook the window really leaves the application's event loop.
struct Ending {
    const char* name;
    bool byExitButton; // otherwise the window is closed by the desktop
};

class RealEndTest : public ::testing::TestWithParam<Ending> {};

TEST_P(RealEndTest, TheEventLoopEnds) {
    BoxCloser boxes;
    Form1 form{Form1Options{nullptr, kDir, {}, {}}};
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTimer::singleShot(10, &form, [&] {
        if (GetParam().byExitButton)
            form.client()->command3()->click();
        else
            form.close();
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); }); // only if the end never came
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(form.timer1().isActive());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(boxes.seen.size(), GetParam().byExitButton ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(BothWays, RealEndTest,
                         ::testing::Values(Ending{"exitButton", true}, Ending{"closed", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
