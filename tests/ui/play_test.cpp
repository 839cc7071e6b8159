// Whole games through the real window: a right answer, and every kind of click on the map.
#include "play_fixture.h"

#include <QProxyStyle>
#include <QStyleFactory>

using namespace brindora;
using namespace brindora::testing;

namespace {

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
    tick();
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
    {"inert zone over north-eastern France", kInertFrance, nullptr},
    {"inert zone on the Pyrenees", kInertPyrenees, nullptr},
    {"Switzerland", kSwitzerland, nullptr},
    {"Norway", kNorway, nullptr},
    {"the sea", kSea, nullptr},
    {"the heading line", kHeadingLine, nullptr},
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
        tick();
        EXPECT_EQ(errori(), QString::number(errors));
        EXPECT_EQ(form.game().errori(), errors);
    }
}

// Muted, no sound reaches the player; every box, label and count is as with sound.
class MuteTest : public ::testing::WithParamInterface<bool>, public PlayTest {
public:
    MuteTest() : PlayTest(GetParam()) {}
};

TEST_P(MuteTest, ARightAnswerWithAndWithoutSound) {
    pressCommand2(1);
    EXPECT_EQ(client->lblreg()->text(), "Romania");
    clickMap(kRomania);
    pressCommand2(4);
    tick();
    EXPECT_EQ(boxes.texts(),
              QStringList({"Clicca sulla Romania", "        ESATTO", "Clicca sulla Polonia"}));
    EXPECT_EQ(punti(), "1");
    EXPECT_EQ(client->lblreg()->text(), "Polonia");
    const std::vector<std::string> played{sound("inno.wav"), sound("Romania.wav"),
                                          sound("esatto.wav"), sound("Polonia.wav")};
    EXPECT_EQ(sounds, muted ? std::vector<std::string>{} : played);
}

INSTANTIATE_TEST_SUITE_P(Sound, MuteTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Muted" : "WithSound"; });

TEST_F(PlayTest, PressAndReleaseOnDifferentRegionsIsNoClick) {
    MapBox* map = client->picture2();
    const QPoint origin = map->clientRect().topLeft();
    QTest::mousePress(map, Qt::LeftButton, {}, origin + kRomania);
    QTest::mouseRelease(map, Qt::LeftButton, {}, origin + kBulgaria);
    QTest::mouseClick(map, Qt::RightButton, {}, origin + kRomania);
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_EQ(form.game().errori(), 0);
}

// A style whose dialog buttons show icons, as on the X desktops the game runs on (the
// offscreen platform shows none).
class ButtonIconsTest : public PlayTest {
    struct WithButtonIcons : QProxyStyle {
        using QProxyStyle::QProxyStyle;
        int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                      QStyleHintReturn* data) const override {
            return hint == SH_DialogButtonBox_ButtonsHaveIcons
                       ? 1
                       : QProxyStyle::styleHint(hint, option, widget, data);
        }
    };
    const QString m_style = QApplication::style()->name();

public:
    ButtonIconsTest() {
        QApplication::setStyle(new WithButtonIcons(QStyleFactory::create(m_style)));
    }
    ~ButtonIconsTest() override { QApplication::setStyle(QStyleFactory::create(m_style)); }
};

// Every box's OK button shows the one icon the first box got: a new icon per box would
// leave one more pixmap in Qt's pixmap cache for each box painted, for the whole session.
TEST_F(ButtonIconsTest, EveryBoxSharesOneOkIcon) {
    pressCommand2(1);
    clickMap(kFrance);
    clickMap(kRomania);
    chooseMenu("istruzioni");
    pressCommand2(4);
    ASSERT_EQ(boxes.seen.size(), 5u);
    ASSERT_FALSE(boxes.seen[0].okIcon.isNull());
    for (const SeenBox& box : boxes.seen)
        EXPECT_EQ(box.okIcon.cacheKey(), boxes.seen[0].okIcon.cacheKey()) << box.text.toStdString();
}

} // namespace
