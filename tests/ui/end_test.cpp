// The ends of the game: the twentieth error, the exit button, the desktop's close.
#include "play_fixture.h"

using namespace brindora;
using namespace brindora::testing;

namespace {

TEST_F(PlayTest, TheTwentiethErrorEndsTheGameOnce) {
    for (int i = 1; i <= 19; ++i)
        clickMap(kBulgaria); // before the first request every region is wrong
    tick();
    EXPECT_EQ(errori(), "19");
    EXPECT_EQ(quits, 0);

    boxes.holdMs = 200; // Timer1 keeps ticking while the end box is open
    boxes.whileOpen = [&](const SeenBox& box) {
        if (box.title == QStringLiteral("Fine del gioco"))
            for (int i = 0; i < 5; ++i)
                form.timer1Timer();
    };
    clickMap(kBulgaria);
    tick(); // the end, unless the real Timer1 has already brought it
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
    QCoreApplication::processEvents();
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
TEST_F(PlayTest, ClosingTheWindowEndsWithoutABox) {
    form.close();
    QCoreApplication::processEvents();
    tick();
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_FALSE(form.timer1().isActive());
    EXPECT_TRUE(form.ended());
    EXPECT_EQ(quits, 1);
}

// Without a test's quit hook the window really leaves the application's event loop.
struct Ending : NamedCase {
    bool byExitButton; // otherwise the window is closed by the desktop
};

class RealEndTest : public ::testing::TestWithParam<Ending> {};

TEST_P(RealEndTest, TheEventLoopEnds) {
    BoxCloser boxes;
    Form1 form{testOptions(nullptr, {}, kDir)}; // the real end: the event loop is left
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
                         ::testing::Values(Ending{"by the exit button", true},
                                           Ending{"closed by the desktop", false}),
                         ByName());

} // namespace
