// What only a POSIX system has: symbolic links planted by other users, the real program run
// in a child process, a game killed by a signal.
#include "case_name.h"
#include "child_process.h"
#include "file_name.h"
#include "game_file.h"
#include "results_files.h"
#include "results_setup.h"
#include "results_writer.h"

#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

using namespace brindora;
using namespace brindora::testing;

namespace {

constexpr std::time_t kStart = 1741947725; // 2025-03-14 10:22:05 UTC (the suite runs in UTC)

// Two PCs named alike (or one PC twice) start a game in the same second, into a folder where
// someone has put a symbolic link under the first name: three files, none through the link.
TEST(GameFileTest, TwoGamesInTheSameSecondEachGetTheirOwnFile) {
    TempFolder dir;
    writeText(dir / "victim.txt", "keep");
    const std::string first = gameFileName(kStart, "lab", "Anna", 1);
    ASSERT_EQ(symlink((dir / "victim.txt").c_str(), (dir / first).c_str()), 0);
    std::vector<std::string> lines;
    const auto setup = [&] {
        ResultsWriterSetup s;
        s.folder = dir.path();
        s.place = {"lab", "Anna"};
        s.wallNow = [] { return kStart; };
        s.report = [&](const std::string& line) { lines.push_back(line); };
        return s;
    };
    {
        ResultsWriter a(setup()), b(setup());
        a.answered({1, 1, 2, "Questa è la Bulgaria", false});
        b.answered({1, 8, 8, "", true});
        ASSERT_TRUE(a.waitWritten(std::chrono::seconds(5)));
        ASSERT_TRUE(b.waitWritten(std::chrono::seconds(5)));
        EXPECT_NE(a.path(), b.path());
    }
    EXPECT_EQ(fileText(dir / "victim.txt"), "keep");
    const std::vector<std::string> files = filesBelow(dir.path());
    ASSERT_EQ(files.size(), 4u); // the link, the victim and the two games
    int games = 0;
    for (const std::string& file : files) {
        if (file == first || file == "victim.txt")
            continue;
        const ReadResult read = readGameFile(fileText(dir / file));
        EXPECT_EQ(read.problem, ReadProblem::None) << file;
        EXPECT_EQ(read.record.answers.size(), 1u) << file;
        ++games;
    }
    EXPECT_EQ(games, 2);
    EXPECT_TRUE(lines.empty());
}

// --summary and --review as a teacher types them, on a machine with no display.
TEST(SummaryTest, RealProgramWritesThePageWithoutADisplay) {
    TempFolder dir;
    makeClassFolder(dir);
    writeText(dir / "riepilogo.html.target", "the teacher's own file");
    unlink((dir / "riepilogo.html").c_str());
    ASSERT_EQ(symlink((dir / "riepilogo.html.target").c_str(), (dir / "riepilogo.html").c_str()),
              0);
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    ChildProcess child;
    ASSERT_TRUE(child.start({"env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u",
                             "QT_QPA_PLATFORM", BRINDORA_PROGRAM, "--summary", dir.path()},
                            {}, -1, out[1], dir / "errors.txt"));
    close(out[1]);
    char said[4096] = {};
    std::size_t got = 0;
    for (ssize_t n; (n = read(out[0], said + got, sizeof said - 1 - got)) > 0;)
        got += static_cast<std::size_t>(n);
    close(out[0]);
    EXPECT_EQ(child.wait(), 0);
    EXPECT_EQ(std::string(said), dir / "riepilogo.html\n");
    EXPECT_EQ(fileText(dir / "riepilogo.html.target"), "the teacher's own file"); // not followed
    EXPECT_NE(fileText(dir / "riepilogo.html").find("Riepilogo della classe"), std::string::npos);
    const std::string errors = fileText(dir / "errors.txt");
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 5) << errors;
}

// Killed while it waits for the pupil: every answer it had given is in its file. SIGKILL
// leaves a game cut off; a logout's SIGTERM or SIGHUP, a game ended as a closed window.
struct SignalCase : NamedCase {
    int number;
    bool endRow;
};
const SignalCase kSignals[] = {
    {"Kill", SIGKILL, false}, {"Term", SIGTERM, true}, {"Hangup", SIGHUP, true}};
class SignalTest : public ::testing::TestWithParam<SignalCase> {};

TEST_P(SignalTest, KeepsEveryAnswerGiven) {
    const SignalCase& c = GetParam();
    TempFolder dir;
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    ChildProcess child;
    ASSERT_TRUE(child.start({RESULTS_KILL_CHILD, dir.path()}, {"QT_QPA_PLATFORM=offscreen"}, -1,
                            out[1], dir / "errors.log"));
    close(out[1]);
    std::string said;
    pollfd wait{out[0], POLLIN, 0};
    while (said.find("waiting\n") == std::string::npos && poll(&wait, 1, 30000) > 0) {
        char text[256];
        const ssize_t n = read(out[0], text, sizeof text);
        if (n <= 0)
            break;
        said.append(text, static_cast<std::size_t>(n));
    }
    close(out[0]);
    ASSERT_NE(said.find("answer 5\nwaiting\n"), std::string::npos) << said;
    const auto gameFile = [&] {
        for (const std::string& name : filesBelow(dir.path()))
            if (name.size() > 4 && name.substr(name.size() - 4) == ".csv")
                return dir / name;
        return std::string();
    };
    const auto answersOnDisk = [&] {
        const std::string path = gameFile();
        return path.empty() ? 0u : readGameFile(fileText(path)).record.answers.size();
    };
    // Within a second of the click, as a rule; this only guards against a hang.
    EXPECT_TRUE(QTest::qWaitFor([&] { return answersOnDisk() == 5u; }, 5000));
    child.signal(c.number);
    EXPECT_EQ(child.wait(), -1); // ended by the signal, as before
    const ReadResult read = readGameFile(fileText(gameFile()));
    EXPECT_EQ(read.problem, ReadProblem::None);
    ASSERT_EQ(read.record.answers.size(), 5u);
    EXPECT_EQ(read.record.answers[4].clicked, 8);
    if (c.endRow) {
        EXPECT_EQ(read.record.end, GameEnd::WindowClosed);
    } else {
        EXPECT_FALSE(read.record.end.has_value()); // unfinished
    }
}
INSTANTIATE_TEST_SUITE_P(Signals, SignalTest, ::testing::ValuesIn(kSignals), ByName());

// Game files are the pupils' personal data: readable by the folder's group, never by all.
TEST(GameFileTest, NoWorldBits) {
    TempFolder dir;
    ResultsWriterSetup setup;
    setup.folder = dir.path();
    setup.place = {"pc", "Anna"};
    std::string path;
    {
        ResultsWriter writer(setup);
        writer.answered({1, 1, 1, "", true});
        ASSERT_TRUE(writer.waitWritten(std::chrono::seconds(5)));
        path = writer.path();
    }
    const auto mode = std::filesystem::status(path).permissions();
    EXPECT_EQ(mode & std::filesystem::perms::others_all, std::filesystem::perms::none);
    EXPECT_EQ(mode & std::filesystem::perms::group_write, std::filesystem::perms::none);
    EXPECT_NE(mode & std::filesystem::perms::owner_write, std::filesystem::perms::none);
}

// A file name with a line end and a terminal escape: the teacher's terminal sees them escaped.
TEST(SummaryTest, FileNamesReachStandardErrorEscaped) {
    TempFolder dir;
    writeText(dir / "x\nbrindora: all fine\x1b]0;owned\x07.csv", "not a game");
    ::testing::internal::CaptureStderr();
    std::string error;
    EXPECT_FALSE(writeSummary(dir.path(), error).empty()) << error;
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(said.find('\x1b'), std::string::npos);
    EXPECT_NE(said.find("x\\x0abrindora: all fine\\x1b]0;owned\\x07.csv"), std::string::npos)
        << said;
}

} // namespace
