// The menu and the keyboard in every state of the game.
#include "play_fixture.h"

using namespace brindora;
using namespace brindora::testing;

namespace {

struct GameState : NamedCase {
    std::function<void(PlayTest&)> reach;
};

class InstructionsTest : public PlayTest, public ::testing::WithParamInterface<GameState> {};

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
    GetParam().reach(*this);
    tick();
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
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.seen.size(), before + 1);
    EXPECT_EQ(quits, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryState, InstructionsTest, ::testing::ValuesIn(kStates), ByName());

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
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(form.game().richieste(), 1);
}

} // namespace
