// Whole sequences of play against a recording window: what the pupil sees, in order.
#include "game.h"
#include "recording_window.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace brindora;
using brindora::testing::RecordingWindow;
using brindora::testing::ScriptedRandom;

namespace {

const std::string kDir = "/opt/brindora";
const std::string kSep(1, char(std::filesystem::path::preferred_separator)); // as the game joins them

std::string sound(const std::string& file) {
    return kDir + kSep + "Europa" + kSep + file;
}

class GameTest : public ::testing::Test {
protected:
    RecordingWindow window;
    ScriptedRandom random;
    Game game{window, random, kDir};

    // A new-state request that draws `state`.
    void request(int state) {
        random.values.push_back(ScriptedRandom::forState(state));
        game.command2Click();
    }
};

TEST_F(GameTest, StartPlaysTheAnthemOnly) {
    game.start();
    ASSERT_EQ(window.events.size(), 1u);
    EXPECT_EQ(window.events[0].kind, "sound");
    EXPECT_EQ(window.events[0].a, sound("inno.wav"));
}

TEST_F(GameTest, AnnouncementOrder) {
    // While the box is open: lblreg empty, the car button still there, the voice started.
    bool checked = false;
    window.whileBoxOpen = [&](const brindora::testing::Event& box) {
        EXPECT_EQ(box.a, "Clicca sull'Ungheria");
        EXPECT_EQ(box.b, "Brindora");
        EXPECT_EQ(box.icon, BoxIcon::None);
        EXPECT_EQ(window.lblreg, "");
        EXPECT_TRUE(window.command2Visible);
        checked = true;
    };
    request(5);
    ASSERT_TRUE(checked);

    const int clearReg = window.indexOf("label", "lblreg");
    const int punti = window.indexOf("label", "lblpunti");
    const int errori = window.indexOf("label", "lblerrori");
    const int voice = window.indexOf("sound");
    const int box = window.indexOf("box");
    const int closed = window.indexOf("boxclosed");
    const int name = window.indexOf("label", "lblreg", closed);
    const int hide = window.indexOf("command2", "hide");
    ASSERT_GE(clearReg, 0);
    EXPECT_EQ(window.events[clearReg].b, "");
    EXPECT_LT(clearReg, punti);
    EXPECT_LT(punti, errori);
    EXPECT_LT(errori, voice);
    EXPECT_LT(voice, box);
    EXPECT_EQ(window.events[voice].a, sound("Ungheria.wav"));
    EXPECT_LT(closed, name);
    EXPECT_EQ(window.events[name].b, "Ungheria");
    EXPECT_LT(name, hide);
    EXPECT_FALSE(window.command2Visible);
    EXPECT_EQ(window.lblreg, "Ungheria");
    EXPECT_EQ(game.stato(), 5);
    EXPECT_EQ(game.richieste(), 1);
}

TEST_F(GameTest, FirstRequestGivesNoPointLaterOnesOneEach) {
    request(1);
    EXPECT_EQ(game.punti(), 0);
    for (int i = 1; i <= 5; ++i) {
        game.judge(game.stato(), "unused");
        request(2);
        EXPECT_EQ(game.punti(), i);
        EXPECT_EQ(game.richieste(), i + 1);
    }
}

TEST_F(GameTest, CasofShowsTheScoreFromBeforeTheRequest) {
    request(1);
    game.judge(1, "");
    window.events.clear();
    request(3); // this request raises punti to 1 only after casof
    EXPECT_EQ(window.events[window.indexOf("label", "lblpunti")].b, "0");
    EXPECT_EQ(game.punti(), 1);
    game.tick();
    EXPECT_EQ(window.lblpunti, "1");
}

TEST_F(GameTest, RightAnswerOrder) {
    request(17);
    window.events.clear();
    game.judge(17, "Questa \u00e8 il Regno Unito");
    ASSERT_EQ(window.events.size(), 5u);
    EXPECT_EQ(window.events[0].kind, "box");
    EXPECT_EQ(window.events[0].a, "        ESATTO");
    EXPECT_EQ(window.events[0].b, "Brindora");
    EXPECT_EQ(window.events[1].kind, "boxclosed");
    EXPECT_EQ(window.events[2].kind, "sound");
    EXPECT_EQ(window.events[2].a, sound("esatto.wav"));
    EXPECT_EQ(window.events[3].kind, "command2");
    EXPECT_EQ(window.events[3].a, "show");
    EXPECT_EQ(window.events[4].kind, "label");
    EXPECT_EQ(window.events[4].a, "lblreg");
    EXPECT_EQ(window.events[4].b, "");
    EXPECT_EQ(game.errori(), 0);
    EXPECT_EQ(game.punti(), 0);
    EXPECT_EQ(game.stato(), 17);
}

TEST_F(GameTest, RightAgainChangesNoCounter) {
    request(8);
    for (int i = 0; i < 4; ++i)
        game.judge(8, "");
    EXPECT_EQ(game.errori(), 0);
    EXPECT_EQ(game.punti(), 0);
    EXPECT_EQ(window.ofKind("sound").size(), 1u + 4u);
}

TEST_F(GameTest, WrongAnswerNamesTheClickedStateThenCounts) {
    request(1);
    window.events.clear();
    Counter duringBox = -1;
    window.whileBoxOpen = [&](const brindora::testing::Event&) { duringBox = game.errori(); };
    game.judge(2, "Questa \u00e8 la Bulgaria");
    EXPECT_EQ(duringBox, 0);
    EXPECT_EQ(game.errori(), 1);
    ASSERT_EQ(window.events.size(), 2u); // the box only: no sound, no label, no button
    EXPECT_EQ(window.events[0].a, "Questa \u00e8 la Bulgaria");
    EXPECT_EQ(window.events[0].b, "Brindora");
    EXPECT_FALSE(window.command2Visible);
    EXPECT_EQ(window.lblreg, "Romania");
}

TEST_F(GameTest, ClicksBeforeTheFirstRequestAreWrong) {
    for (int state = 1; state <= 29; ++state)
        game.judge(static_cast<StateNumber>(state), "t");
    EXPECT_EQ(game.errori(), 29);
    EXPECT_EQ(window.ofKind("sound").size(), 0u);
}

TEST_F(GameTest, AfterARightAnswerAnotherStateIsWrong) {
    request(9);
    game.judge(9, "");
    game.judge(4, "Questa \u00e8 la Polonia");
    EXPECT_EQ(game.errori(), 1);
    EXPECT_EQ(game.stato(), 9);
}

TEST_F(GameTest, TickRefreshesBothLabelsInOrder) {
    game.judge(3, "");
    window.events.clear();
    game.tick();
    ASSERT_EQ(window.events.size(), 2u);
    EXPECT_EQ(window.events[0].a, "lblpunti");
    EXPECT_EQ(window.events[0].b, "0");
    EXPECT_EQ(window.events[1].a, "lblerrori");
    EXPECT_EQ(window.events[1].b, "1");
}

TEST_F(GameTest, TwentiethErrorEndsAtTheNextTickAndOnlyOnce) {
    for (int i = 0; i < 19; ++i) {
        game.judge(1, "");
        game.tick();
    }
    EXPECT_EQ(window.quits, 0);
    EXPECT_TRUE(window.ofKind("box").size() == 19u);
    game.judge(1, "");
    EXPECT_EQ(window.quits, 0); // not before the tick
    // The real timer keeps ticking inside the end box.
    int nested = 0;
    window.whileBoxOpen = [&](const brindora::testing::Event& box) {
        if (box.b == "Fine del gioco")
            for (int i = 0; i < 5; ++i, ++nested)
                game.tick();
    };
    game.tick();
    const auto boxes = window.ofKind("box");
    ASSERT_EQ(boxes.size(), 21u);
    EXPECT_EQ(boxes.back().a,
              "Mi dispiace hai superato la soglia dei 20 errori... La tua gara \u00e8 finita");
    EXPECT_EQ(boxes.back().b, "Fine del gioco");
    EXPECT_EQ(boxes.back().icon, BoxIcon::Exclamation);
    EXPECT_EQ(nested, 5);
    EXPECT_EQ(window.quits, 1);
    EXPECT_EQ(window.events.back().kind, "quit");
    game.tick();
    EXPECT_EQ(window.quits, 1);
}

TEST_F(GameTest, ExitSaysGoodbyeThenQuits) {
    window.whileBoxOpen = [&](const brindora::testing::Event&) { game.tick(); };
    game.command3Click();
    const auto boxes = window.ofKind("box");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].a, "Ciao ti aspetto per giocare ancora insieme!");
    EXPECT_EQ(boxes[0].b, "Brindora");
    EXPECT_EQ(boxes[0].icon, BoxIcon::None);
    EXPECT_EQ(window.quits, 1);
    EXPECT_TRUE(window.ofKind("sound").empty());
}

TEST_F(GameTest, TwentyErrorsWhileGoodbyeIsOpenDoNotStackAnEndBox) {
    for (int i = 0; i < 20; ++i)
        game.judge(1, "");
    window.whileBoxOpen = [&](const brindora::testing::Event&) {
        game.tick();
        game.windowClosed(); // the desktop closes the window behind the box
    };
    game.command3Click();
    EXPECT_EQ(window.ofKind("box").size(), 21u);
    EXPECT_EQ(window.quits, 1);
}

TEST_F(GameTest, ClosingTheWindowQuitsOnceWithoutABox) {
    for (int i = 0; i < 20; ++i)
        game.judge(1, "");
    game.windowClosed();
    EXPECT_TRUE(game.ended());
    game.tick();
    game.command2Click();
    game.judge(1, "");
    game.command3Click();
    game.istruzioniClick();
    game.windowClosed();
    EXPECT_EQ(window.ofKind("box").size(), 20u); // the twenty wrong answers only
    EXPECT_EQ(game.errori(), 20);
    EXPECT_EQ(window.quits, 1);
}

TEST_F(GameTest, InstructionsChangeNothing) {
    request(6);
    window.events.clear();
    game.istruzioniClick();
    ASSERT_EQ(window.events.size(), 2u);
    EXPECT_EQ(window.events[0].a, "La tua gara finisce se superi i 20 errori...");
    EXPECT_EQ(window.events[0].b, "Attenzione");
    EXPECT_EQ(window.events[0].icon, BoxIcon::Exclamation);
    EXPECT_EQ(game.stato(), 6);
    EXPECT_EQ(game.punti(), 0);
    EXPECT_EQ(game.errori(), 0);
    EXPECT_FALSE(window.command2Visible);
}

TEST_F(GameTest, DrawSkipsTwelveAndTwentySevenWithoutReseeding) {
    random.values = {ScriptedRandom::forState(12), ScriptedRandom::forState(27),
                     ScriptedRandom::forState(12), ScriptedRandom::forState(29)};
    game.command2Click();
    EXPECT_EQ(game.stato(), 29);
    EXPECT_EQ(random.reseeds, 1);
    EXPECT_EQ(random.reseedAt[0], 0u); // before the first number
    EXPECT_EQ(random.nextIndex, 4u);
}

TEST_F(GameTest, OneReseedPerRequest) {
    for (int i = 1; i <= 3; ++i) {
        request(i);
        EXPECT_EQ(random.reseeds, i);
    }
}

TEST_F(GameTest, DrawBoundaries) {
    random.values = {0.0};
    game.command2Click();
    EXPECT_EQ(game.stato(), 1);
    random.values.push_back(0.99999999);
    game.command2Click();
    EXPECT_EQ(game.stato(), 29);
}

TEST_F(GameTest, SameStateMayBeAskedTwiceInARow) {
    request(25);
    game.judge(25, "");
    request(25);
    EXPECT_EQ(game.stato(), 25);
    EXPECT_EQ(window.ofKind("box").back().a, "Clicca su Malta");
}

// A pupil who keeps playing must never overflow a counter.
TEST_F(GameTest, CountersStayCorrectPast32767) {
    for (int i = 0; i < 40000; ++i)
        game.judge(1, "");
    EXPECT_EQ(game.errori(), 40000);
    random.values.assign(40001, ScriptedRandom::forState(1));
    random.nextIndex = 0;
    for (int i = 0; i < 40001; ++i) {
        game.command2Click();
    }
    EXPECT_EQ(game.punti(), 40000);
    game.tick();
    EXPECT_EQ(window.lblpunti, "40000");
    EXPECT_EQ(window.lblerrori, "40000");
    EXPECT_EQ(window.quits, 0);
}

} // namespace
