// The writer under the real window: the rows of a played game, a folder that hangs or
// fails or vanishes while the pupil plays on, a game killed mid-play, and the default game,
// which writes nothing.
#include "class_summary.h"
#include "csv.h"
#include "game_file.h"
#include "game_folder.h"
#include "play_fixture.h"
#include "pupil_name_box.h"
#include "results_files.h"
#include "results_setup.h"
#include "results_writer.h"
#include "summary_page.h"

#include <QSysInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QtGlobal>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <regex>

using namespace brindora;
using namespace brindora::testing;
using namespace std::chrono_literals;

namespace {

// File calls that fail, or hang, while a test says so.
class BrokenOps : public FileOps {
public:
    std::atomic<int> createError{0}, writeError{0}; // errno to fail with; 0: work
    std::atomic<int> calls{0};
    std::mutex mutex;
    std::condition_variable released;
    bool hang = false;

    int create(const std::string& path) override {
        gate();
        return createError ? -createError : FileOps::create(path);
    }
    int write(int fd, std::string_view data, std::size_t& written) override {
        gate();
        written = 0;
        return writeError ? writeError.load() : FileOps::write(fd, data, written);
    }
    void gate() {
        ++calls;
        std::unique_lock lock(mutex);
        released.wait(lock, [this] { return !hang; });
    }
    void release() {
        {
            std::lock_guard lock(mutex);
            hang = false;
        }
        released.notify_all();
    }
};

// The writer is made before the window (a base constructed first), as main.cpp does.
struct WriterFirst {
    explicit WriterFirst(std::string folderName = "",
                         std::function<void(WriterFirst&)> before = {}) {
        if (before)
            before(*this);
        ResultsWriterSetup setup;
        setup.folder = folderName.empty() ? dir.path() : dir / folderName;
        setup.place = {"LAB-07", "Anna Bo"};
        setup.files = ops;
        setup.steadyNow = [this] {
            return std::chrono::steady_clock::time_point(std::chrono::milliseconds(clockMs.load()));
        };
        setup.report = [this](const std::string& line) {
            std::lock_guard lock(linesMutex);
            lines.push_back(line);
        };
        setup.retry = 5ms;
        setup.hungAfter = 60s; // on the fake clock, which only the tests move
        setup.finishWait = 100ms;
        writer = std::make_unique<ResultsWriter>(setup);
    }
    std::vector<std::string> seenLines() {
        std::lock_guard lock(linesMutex);
        return lines;
    }
    std::vector<std::vector<std::string>> rows() {
        return csv::parse(fileText(writer->path()).substr(3)).rows;
    }

    TempFolder dir;
    std::shared_ptr<BrokenOps> ops = std::make_shared<BrokenOps>();
    std::atomic<long long> clockMs{1000};
    std::mutex linesMutex;
    std::vector<std::string> lines;
    std::unique_ptr<ResultsWriter> writer;
};

class ResultsPlayTest : public WriterFirst, public PlayTest {
public:
    explicit ResultsPlayTest(std::string folderName = "",
                             std::function<void(WriterFirst&)> before = {})
        : WriterFirst(std::move(folderName), std::move(before)), PlayTest(false, writer.get()) {}
    // A few answers with the window's ticks between them: 1 Romania missed then found,
    // 8 France found, 2 Bulgaria missed.
    void playSome() {
        pressCommand2(1);
        clickMap(kBulgaria);
        tick();
        clickMap(kRomania);
        pressCommand2(8);
        clickMap(kFrance);
        pressCommand2(2);
        clickMap(kRomania);
        tick();
    }
};

TEST_F(ResultsPlayTest, EachAnswerIsARowAndTheEndTheLast) {
    pressCommand2(1);
    clockMs += 2500;
    clickMap(kBulgaria);
    clockMs += 1000;
    clickMap(kRomania);
    pressCommand2(8);
    clockMs += 4000;
    clickMap(kFrance);
    tick(); // the score as the pupil sees it last
    QTest::mouseClick(client->command3(), Qt::LeftButton);
    ASSERT_TRUE(writer->waitWritten(5s));

    const auto table = rows();
    ASSERT_EQ(table.size(), 6u);
    const std::regex when("2[0-9]{3}-[01][0-9]-[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9]");
    const QString wrongBox = boxes.seen.at(1).text; // the box the wrong click opened
    // The region text of a right click is that region's own (the game shows "ESATTO").
    const std::string own = "(own)";
    const std::vector<std::vector<std::string>> expected = {
        {"1", "Romania", "Bulgaria", wrongBox.toStdString(), "sbagliato", "2,5"},
        {"1", "Romania", "Romania", own, "giusto", "3,5"},
        {"2", "Francia", "Francia", own, "giusto", "4,0"},
        {"2", "", "", "", "fine: EXIT", ""},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& row = table[i + 2];
        ASSERT_EQ(row.size(), 9u);
        EXPECT_TRUE(std::regex_match(row[0], when)) << row[0];
        EXPECT_EQ(row[1], "LAB-07");
        EXPECT_EQ(row[2], "Anna Bo");
        std::vector<std::string> rest(row.begin() + 3, row.end());
        if (expected[i][3] == own) {
            EXPECT_NE(rest[3].find(expected[i][2]), std::string::npos) << rest[3];
            rest[3] = own;
        }
        EXPECT_EQ(rest, expected[i]) << "row " << i + 3;
    }
    EXPECT_TRUE(seenLines().empty());

    // Two states found; the window's Esatte counts the first only, as the next request has
    // not come: the page gives both, and why.
    GameFolder folder;
    std::string error;
    ASSERT_TRUE(readGameFolder(dir.path(), folder, error, [](const std::string&) {})) << error;
    const ClassSummary summary = summarise(folder);
    ASSERT_EQ(summary.pupils.size(), 1u);
    EXPECT_EQ(summary.pupils[0].found, 2);
    EXPECT_EQ(QString::number(summary.pupils[0].windowRight), punti());
    const std::string page = summaryPage(summary, dir.path(), "");
    EXPECT_NE(page.find("2 (nella finestra " + punti().toStdString() + ")"), std::string::npos);
    EXPECT_NE(page.find("quando si chiede lo Stato seguente"), std::string::npos);
}

// The folder hangs from the first call: the window goes on, its timer ticks, the pupil plays;
// one line says so; once the folder answers, every row is written.
TEST_F(ResultsPlayTest, HungFolderNeverStopsTheWindow) {
    {
        std::lock_guard lock(ops->mutex);
        ops->hang = true; // from the next call on
    }
    int ticks = 0;
    QObject::connect(&form.timer1(), &QTimer::timeout, &form, [&] { ++ticks; });
    playSome();
    EXPECT_EQ(errori(), QStringLiteral("2"));
    EXPECT_EQ(punti(), QStringLiteral("2"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 5; }, 5000));
    EXPECT_TRUE(seenLines().empty());
    clockMs += 61000; // the call has not returned for longer than the writer waits for it
    clickMap(kFrance);
    pressCommand2(9);
    ASSERT_EQ(seenLines().size(), 1u);
    EXPECT_NE(seenLines()[0].find("does not answer"), std::string::npos) << seenLines()[0];
    EXPECT_TRUE(readGameFile(fileText(writer->path())).record.answers.empty());

    ops->release();
    ASSERT_TRUE(writer->waitWritten(10s));
    EXPECT_EQ(readGameFile(fileText(writer->path())).record.answers.size(), 5u);
    EXPECT_EQ(seenLines().size(), 1u);
}

struct Failure : NamedCase {
    int createError, writeError; // injected; both 0: the folder's name is a plain file
    const char* said;
};
const Failure kFailures[] = {
    {"Not a folder", 0, 0, "Not a directory"},
    {"Permission denied", EACCES, 0, "Permission denied"},
    {"Read only", EROFS, 0, "Read-only file system"},
    {"Disk full", 0, ENOSPC, "No space left on device"},
};

// The folder is broken before the game starts.
class FolderFailureTest : public ResultsPlayTest, public ::testing::WithParamInterface<Failure> {
public:
    FolderFailureTest()
        : ResultsPlayTest("risultati", [](WriterFirst& w) {
              const Failure& f = GetParam();
              if (f.createError == 0 && f.writeError == 0)
                  writeText(w.dir / "risultati", "a file where the folder should be");
              else
                  std::filesystem::create_directory(w.dir / "risultati");
              w.ops->createError = f.createError;
              w.ops->writeError = f.writeError;
          }) {}
};

// However many tries fail, one line; the answers kept are written when the folder is back.
TEST_P(FolderFailureTest, OneLineThenEveryAnswerWhenTheFolderIsBack) {
    const Failure& f = GetParam();
    const std::string folder = dir / "risultati";
    playSome();
    const int before = ops->calls;
    EXPECT_TRUE(QTest::qWaitFor([&] { return ops->calls >= before + 10; }, 5000));
    ASSERT_EQ(seenLines().size(), 1u) << ::testing::PrintToString(seenLines());
    EXPECT_NE(seenLines()[0].find(f.said), std::string::npos) << seenLines()[0];
    EXPECT_EQ(seenLines()[0].rfind("brindora: results: ", 0), 0u);

    if (f.createError == 0 && f.writeError == 0) {
        // The file gives way to the folder; meanwhile the writer fails for the reason it told
        // already, not for a folder missing for a moment.
        ops->createError = ENOTDIR;
        std::filesystem::remove(folder);
        std::filesystem::create_directory(folder);
    }
    ops->createError = 0;
    ops->writeError = 0;
    ASSERT_TRUE(writer->waitWritten(10s));
    const ReadResult read = readGameFile(fileText(writer->path()));
    EXPECT_EQ(read.problem, ReadProblem::None);
    EXPECT_EQ(read.record.answers.size(), 4u);
    EXPECT_EQ(seenLines().size(), 1u);
}
INSTANTIATE_TEST_SUITE_P(Folders, FolderFailureTest, ::testing::ValuesIn(kFailures), ByName());

TEST_F(ResultsPlayTest, VanishedFolderComesBackWithTheWholeGame) {
    if (QSysInfo::productType() == QLatin1String("windows"))
        GTEST_SKIP() << "linux-only: Windows removes no folder that holds a file in use";
    pressCommand2(1);
    clickMap(kRomania);
    ASSERT_TRUE(writer->waitWritten(5s));
    std::filesystem::remove_all(dir.path());
    pressCommand2(8);
    clickMap(kFrance);
    EXPECT_TRUE(QTest::qWaitFor([&] { return seenLines().size() >= 2; }, 5000));
    std::filesystem::create_directory(dir.path());
    clickMap(kRomania);
    ASSERT_TRUE(writer->waitWritten(10s));
    EXPECT_EQ(filesBelow(dir.path()).size(), 1u);
    EXPECT_EQ(readGameFile(fileText(writer->path())).record.answers.size(), 3u);
    const auto said = seenLines();
    ASSERT_EQ(said.size(), 2u);
    EXPECT_NE(said[0].find("was removed"), std::string::npos) << said[0];
    EXPECT_NE(said[1].find("No such file or directory"), std::string::npos) << said[1];
}

// The default game, with an empty home and no settings anywhere, leaves no file behind.
struct EmptyHome {
    // The settings places of both platforms: XDG's and Windows' own.
    static constexpr const char* kPlaces[] = {"HOME",    "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS",
                                              "APPDATA", "PROGRAMDATA",     "LOCALAPPDATA"};
    EmptyHome() {
        for (const char* name : kPlaces)
            saved.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name))
                                                                     : std::nullopt);
        std::filesystem::create_directories(std::filesystem::u8path(dir / "home"));
        std::filesystem::create_directories(std::filesystem::u8path(dir / "etc"));
        for (const char* name : kPlaces)
            qputenv(name, QByteArray::fromStdString(dir / (name[0] == 'X' ? "etc" : "home")));
        qunsetenv("XDG_CONFIG_HOME");
        before = std::filesystem::current_path();
        std::filesystem::current_path(std::filesystem::u8path(dir.path()));
        writer = startResults("", "", SettingsPlaces::fromEnvironment());
    }
    ~EmptyHome() {
        std::filesystem::current_path(before);
        for (const auto& [name, value] : saved)
            value ? qputenv(name.c_str(), *value) : qunsetenv(name.c_str());
    }
    TempFolder dir;
    std::vector<std::pair<std::string, std::optional<QByteArray>>> saved;
    std::filesystem::path before;
    std::unique_ptr<ResultsWriter> writer;
};

class DefaultGameTest : public EmptyHome, public PlayTest {
public:
    DefaultGameTest() : PlayTest(false, writer.get()) {}
};

TEST_F(DefaultGameTest, WritesNothingAnywhere) {
    EXPECT_EQ(writer, nullptr);
    pressCommand2(1);
    clickMap(kBulgaria);
    clickMap(kRomania);
    tick();
    QTest::mouseClick(client->command3(), Qt::LeftButton);
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(filesBelow(dir.path()), std::vector<std::string>({"etc", "home"}));
}

// The name box: nothing to play with no name; the name typed, blanks tidied, with Enter.
TEST(PupilNameBoxTest, NoEmptyNameEnterPlays) {
    struct Case {
        const char *prefill, *typed;
        bool canPlay;
        const char* name;
    };
    const Case cases[] = {{"", "", false, ""},
                          {"", "   ", false, ""},
                          {"Anna Bianchi", nullptr, true, "Anna Bianchi"},
                          {"Anna", "  Luca   Verdi ", true, "Luca Verdi"}};
    for (const Case& c : cases) {
        PupilNameBox box(QString::fromUtf8(c.prefill));
        box.show();
        if (c.typed) {
            box.edit()->clear();
            QTest::keyClicks(box.edit(), QString::fromUtf8(c.typed));
        }
        EXPECT_EQ(box.ok()->isEnabled(), c.canPlay) << c.prefill << "|" << (c.typed ? c.typed : "");
        QTest::keyClick(box.edit(), Qt::Key_Return);
        EXPECT_EQ(box.result() == QDialog::Accepted, c.canPlay);
        EXPECT_EQ(box.name().toStdString(), c.name);
    }
}

} // namespace
