// A results folder on a share that fails the way network shares do, played through the
// writer: every answer ends up in one file, once, whatever the share did meanwhile.
#include "case_name.h"
#include "csv.h"
#include "file_name.h"
#include "game_file.h"
#include "hand_over.h"
#include "results_files.h"
#include "results_writer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <map>
#include <mutex>

using namespace brindora;
using namespace brindora::testing;
using namespace std::chrono_literals;

namespace {

// The real calls, with a share that can go down (every call fails with error, a write after
// writing half its bytes), hang, or come back with the handles of before unusable (stale).
class FlakyShare : public FileOps {
public:
    int error = 0;      // while down
    int staleError = 0; // once back, for a descriptor opened before
    bool hang = false;  // every call waits until released
    std::atomic<int> inside{0};

    void down(int e) {
        set([&] { error = e; });
    }
    void back() {
        set([&] {
            error = 0;
            ++generation;
        });
    }
    void freeze() {
        set([&] { hang = true; });
    }
    void release() {
        set([&] { hang = false; });
    }
    bool idle() { return inside == 0; }

    int create(const std::string& path) override {
        Call call(*this);
        if (const int e = failure(-1))
            return -e;
        return remember(FileOps::create(path));
    }
    int reopen(const std::string& path, std::size_t keep) override {
        Call call(*this);
        if (const int e = failure(-1))
            return -e;
        return remember(FileOps::reopen(path, keep));
    }
    int readBack(const std::string& path, std::size_t most, std::string& text) override {
        Call call(*this);
        if (const int e = failure(-1))
            return e;
        return FileOps::readBack(path, most, text);
    }
    int write(int fd, std::string_view data, std::size_t& written) override {
        Call call(*this);
        written = 0;
        if (const int e = failure(fd)) {
            if (e != staleError || !staleError) // half a row reaches the server, then the error
                FileOps::write(fd, data.substr(0, data.size() / 2), written);
            return e;
        }
        return FileOps::write(fd, data, written);
    }
    int sync(int fd) override {
        Call call(*this);
        if (const int e = failure(fd))
            return e;
        return FileOps::sync(fd);
    }

private:
    struct Call {
        explicit Call(FlakyShare& share) : share(share) {
            ++share.inside;
            std::unique_lock lock(share.mutex);
            share.released.wait(lock, [&] { return !share.hang; });
        }
        ~Call() { --share.inside; }
        FlakyShare& share;
    };
    template <typename F> void set(F change) {
        {
            std::lock_guard lock(mutex);
            change();
        }
        released.notify_all();
    }
    int failure(int fd) {
        std::lock_guard lock(mutex);
        if (error)
            return error;
        const auto opened = generations.find(fd);
        return staleError && opened != generations.end() && opened->second != generation
                   ? staleError
                   : 0;
    }
    int remember(int fd) {
        std::lock_guard lock(mutex);
        if (fd >= 0)
            generations[fd] = generation;
        return fd;
    }
    std::mutex mutex;
    std::condition_variable released;
    int generation = 0;
    std::map<int, int> generations;
};

struct Game {
    explicit Game(std::shared_ptr<FlakyShare> share, const TempFolder& dir) {
        ResultsWriterSetup setup;
        setup.folder = dir / "classe";
        setup.pendingFolder = dir / "pc";
        setup.place = {"LAB-07", "Anna Bo"};
        setup.files = share;
        setup.wallNow = [] { return std::time_t(1741947725); };
        setup.report = [this](const std::string& line) {
            std::lock_guard lock(mutex);
            lines.push_back(line);
        };
        setup.retry = 2ms;
        setup.finishWait = 200ms;
        std::filesystem::create_directories(std::filesystem::u8path(setup.folder));
        writer = std::make_unique<ResultsWriter>(setup);
    }
    // Answer n: request n, Romania asked, a wrong click then the right one on every third.
    void answer(int n) {
        writer->requested(n, 1);
        writer->answered({n, 1, n % 3 ? StateNumber(1) : StateNumber(2), "", n % 3 != 0});
    }
    std::mutex mutex;
    std::vector<std::string> lines;
    std::unique_ptr<ResultsWriter> writer;
};

// The game files of the class folder, read.
std::vector<ReadResult> gamesIn(const TempFolder& dir) {
    std::vector<ReadResult> out;
    for (const std::string& name : filesBelow(dir / "classe"))
        out.push_back(readGameFile(fileText(dir / ("classe/" + name))));
    return out;
}

struct ShareCase : NamedCase {
    int error;  // the share's failure while it is down
    bool stale; // once back, the descriptors of before fail with EBADF
};
const ShareCase kShares[] = {
    {"IoErrorWhileFrozen", EIO, false}, {"ReconnectLeavesStaleHandles", EIO, true},
    {"BadDescriptor", EBADF, false},    {"DeviceGone", ENXIO, false},
    {"TimedOut", ETIMEDOUT, false},     {"TryAgain", EAGAIN, false},
    {"NoSpace", ENOSPC, false},
};

class ShareTest : public ::testing::TestWithParam<ShareCase> {};

// 5 answers, the share down for 20 more, back for 15 more and the end: 40 of 40 kept, once.
TEST_P(ShareTest, EveryAnswerOnceInOneFile) {
    const ShareCase& c = GetParam();
    TempFolder dir;
    auto share = std::make_shared<FlakyShare>();
    share->staleError = c.stale ? EBADF : 0;
    {
        Game game(share, dir);
        int n = 1;
        for (; n <= 5; ++n)
            game.answer(n);
        ASSERT_TRUE(game.writer->waitWritten(5s));
        share->down(c.error);
        for (; n <= 25; ++n) {
            game.answer(n);
            EXPECT_FALSE(game.writer->waitWritten(3ms)); // it tries, and fails
        }
        share->back();
        for (; n <= 40; ++n)
            game.answer(n);
        game.writer->ended(GameEnd::Exit);
        EXPECT_TRUE(game.writer->waitWritten(5s));
        EXPECT_FALSE(game.lines.empty());
    }
    const std::vector<ReadResult> games = gamesIn(dir);
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].problem, ReadProblem::None) << games[0].detail;
    ASSERT_EQ(games[0].record.answers.size(), 40u);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(games[0].record.answers[i].request, i + 1);
    EXPECT_EQ(games[0].record.end, GameEnd::Exit);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::u8path(dir / "pc"))); // no copy needed
}
INSTANTIATE_TEST_SUITE_P(Shares, ShareTest, ::testing::ValuesIn(kShares), ByName());

struct LeaveCase : NamedCase {
    int onShareFirst;      // answers the share took before it hung
    bool removedMeanwhile; // the half-written file is gone when the copy comes back
};
const LeaveCase kLeaves[] = {
    {"NothingOnTheShare", 0, false},
    {"SomeOnTheShare", 6, false},
    {"FileRemovedMeanwhile", 6, true},
};

class LeaveTest : public ::testing::TestWithParam<LeaveCase> {};

// EXIT while the share hangs: a bounded wait, a line that counts what is missing, a copy on
// this PC; the next start hands it over whole.
TEST_P(LeaveTest, CopyKeptThenHandedOver) {
    const LeaveCase& c = GetParam();
    TempFolder dir;
    auto share = std::make_shared<FlakyShare>();
    std::vector<std::string> lines;
    {
        Game game(share, dir);
        for (int n = 1; n <= c.onShareFirst; ++n)
            game.answer(n);
        ASSERT_TRUE(game.writer->waitWritten(5s));
        share->freeze();
        for (int n = c.onShareFirst + 1; n <= 14; ++n)
            game.answer(n);
        game.writer->ended(GameEnd::Exit);
        const auto before = std::chrono::steady_clock::now();
        game.writer.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - before, 5s); // bounded, not forever
        lines = game.lines;
    }
    ASSERT_FALSE(lines.empty());
    const std::string missing = std::to_string(14 - c.onShareFirst) + " answers";
    EXPECT_NE(lines.back().find(missing), std::string::npos) << lines.back();
    EXPECT_NE(lines.back().find(dir / "pc"), std::string::npos) << lines.back();
    share->release();
    for (int i = 0; i < 500 && !share->idle(); ++i) // the old thread's last call returns
        std::this_thread::sleep_for(10ms);
    if (c.removedMeanwhile)
        for (const std::string& name : filesBelow(dir / "classe"))
            std::filesystem::remove(std::filesystem::u8path(dir / ("classe/" + name)));

    std::vector<std::string> said;
    handOver(*share, dir / "pc", dir / "classe", [&](const std::string& l) { said.push_back(l); });
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("are now in"), std::string::npos) << said[0];
    const std::vector<ReadResult> games = gamesIn(dir);
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].problem, ReadProblem::None) << games[0].detail;
    EXPECT_EQ(games[0].record.answers.size(), 14u);
    EXPECT_EQ(games[0].record.end, GameEnd::Exit);
    EXPECT_TRUE(filesBelow(dir / "pc").empty());
    // Handed over once: a second look finds nothing to do.
    said.clear();
    handOver(*share, dir / "pc", dir / "classe", [&](const std::string& l) { said.push_back(l); });
    EXPECT_TRUE(said.empty());
}
INSTANTIATE_TEST_SUITE_P(Leaves, LeaveTest, ::testing::ValuesIn(kLeaves), ByName());

} // namespace
