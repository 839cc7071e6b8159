// The real program's body, run here from its command line to its window: each option reaches
// the window it opens, as the pupil sees and hears it.
#include "case_name.h"
#include "catalogo.h"
#include "client_area.h"
#include "run_brindora.h"
#include "test_form.h"

#include <QDir>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace brindora;
using namespace brindora::testing;

namespace {

struct Start : NamedCase {
    std::vector<std::string> arguments; // after the program's name
    bool heard;                         // the anthem reaches the sound player
    bool fullScreen;
};

const Start kStarts[] = {
    {"Plain", {}, true, false},
    {"Mute", {"--mute"}, false, false},
    {"MuteWithOneDash", {"-mute"}, false, false},
    {"Fullscreen", {"--fullscreen"}, true, true},
    {"FullscreenAndMute", {"--fullscreen", "--mute"}, false, true},
};

class ProgramTest : public ::testing::TestWithParam<Start> {};

TEST_P(ProgramTest, TheWindowIsAsTheCommandLineAsks) {
    const Start& c = GetParam();
    std::vector<std::string> words{"brindora"};
    words.insert(words.end(), c.arguments.begin(), c.arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    int argc = int(words.size());

    std::vector<std::string> sounds;
    bool shown = false;
    RunHooks hooks;
    hooks.options = [&](Form1Options& options) {
        options.programDir = kNoRecordings;
        options.soundObserver = [&](const std::string& path) { sounds.push_back(path); };
        QTimer::singleShot(30000, [] { QCoreApplication::exit(99); }); // only if nothing ends it
    };
    hooks.shown = [&](Form1& form) {
        shown = true;
        const QRect screen = form.screen()->geometry();
        if (c.fullScreen) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return form.geometry() == screen; }, 5000))
                << "the window is not over the whole screen";
            EXPECT_GT(form.client()->scale(), 1.0) << "the client area is not fitted to the screen";
            // What the window asks of the desktop: a window manager keeps it within these.
            EXPECT_GE(form.maximumWidth(), screen.width());
            EXPECT_GE(form.maximumHeight(), screen.height());
            EXPECT_LE(form.minimumWidth(), screen.width());
            EXPECT_LE(form.minimumHeight(), screen.height());
        } else {
            EXPECT_FALSE(form.isFullScreen());
            EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "the window is of fixed size";
        }
        if (c.heard) {
            ASSERT_EQ(sounds.size(), 1u);
            EXPECT_EQ(sounds[0],
                      (kNoRecordings + QDir::separator() + "Europa" + QDir::separator()).toStdString() +
                          std::string(kAnthemFile));
        } else {
            EXPECT_TRUE(sounds.empty()) << sounds.size() << " sounds, the first " << sounds[0];
        }
        form.close(); // as the desktop closes it: the program ends
    };
    EXPECT_EQ(runBrindora(argc, argv.data(), hooks), 0);
    EXPECT_TRUE(shown) << "the window was never shown";
}

INSTANTIATE_TEST_SUITE_P(CommandLine, ProgramTest, ::testing::ValuesIn(kStarts), ByName());

} // namespace
