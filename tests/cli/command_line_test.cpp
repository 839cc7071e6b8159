// The command line: the options as the program reads them, and the real program started with
// no display at all, as on a school's server or over a bare remote shell.
#include "case_name.h"
#include "command_line.h"
#include "settings_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

using namespace brindora;

namespace {

struct ParseCase : brindora::testing::NamedCase {
    QStringList arguments; // after the program's name
    bool exit;
    int exitCode;
    bool mute, fullscreen;
    const char* said;   // part of the message printed, when the program exits
    const char* unsaid; // what that message must not hold
};

const ParseCase kParseCases[] = {
    {"Nothing", {}, false, 0, false, false, "", ""},
    {"Mute", {"--mute"}, false, 0, true, false, "", ""},
    {"FullscreenAndMuteWithOneDash", {"--fullscreen", "-mute"}, false, 0, true, true, "", ""},
    {"QtsOwnOptions",
     {"-platform", "offscreen", "-style=Fusion", "-reverse"},
     false,
     0,
     false,
     false,
     "",
     ""},
    {"Help", {"--help"}, true, 0, false, false, "--fullscreen", "platform"},
    {"ShortVersion", {"-v"}, true, 0, false, false, "Brindora " BRINDORA_VERSION "\n", ""},
    {"Unknown", {"--loud"}, true, 1, false, false, "Unknown option 'loud'", ""},
    {"Argument", {"europa.wav"}, true, 1, false, false, "Unexpected argument 'europa.wav'", ""},
    {"QtOptionWithoutValue", {"-platform"}, true, 1, false, false, "Missing value", ""},
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {
protected:
    void SetUp() override { setApplicationIdentity(); }
};

TEST_P(ParseTest, ReadsTheOptions) {
    const ParseCase& c = GetParam();
    const CommandLine line =
        parseCommandLine(QStringList{QStringLiteral("brindora")} + c.arguments);
    ASSERT_EQ(line.exit, c.exit);
    if (c.exit) {
        EXPECT_EQ(line.exitCode, c.exitCode);
        EXPECT_EQ(line.toError, c.exitCode != 0);
        EXPECT_TRUE(line.message.contains(QLatin1String(c.said))) << line.message.toStdString();
        EXPECT_TRUE(line.message.endsWith(QLatin1Char('\n')));
        if (*c.unsaid) {
            EXPECT_FALSE(line.message.contains(QLatin1String(c.unsaid)));
        }
    } else {
        EXPECT_EQ(line.options.mute, c.mute);
        EXPECT_EQ(line.options.fullscreen, c.fullscreen);
    }
}

INSTANTIATE_TEST_SUITE_P(CommandLine, ParseTest, ::testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --states: the states chosen, or one line on standard error naming the name at fault and
// listing what may be given.
struct StatesCase : brindora::testing::NamedCase {
    QStringList arguments;
    std::vector<StateNumber> chosen; // when the game starts
    const char* said;                // part of the one error line, or nullptr when it starts
};

const StatesCase kStatesCases[] = {
    {"Names", {"--states", "Francia, regno unito,ITALIA"}, {8, 17, 13}, nullptr},
    {"GroupWithExplore", {"--explore", "--states=Baltici"}, {16, 28, 14}, nullptr},
    {"Unknown", {"--states", "Francia,Atlantide"}, {}, "\"Atlantide\" is neither a state"},
    {"Norway", {"--states", "norvegia"}, {}, "\"norvegia\" has no region on the map"},
    {"EverydayNames", {"--states", "Olanda, Inghilterra"}, {19, 17}, nullptr},
    {"Empty", {"--states", ""}, {}, "--states names no state"},
    {"NewlineInTheName", {"--states", "Fran\ncia"}, {}, "\"Fran cia\""},
};

class StatesTest : public ::testing::TestWithParam<StatesCase> {
protected:
    void SetUp() override { setApplicationIdentity(); }
};

TEST_P(StatesTest, ChosenOrOneLineOfError) {
    const StatesCase& c = GetParam();
    const CommandLine line =
        parseCommandLine(QStringList{QStringLiteral("brindora")} + c.arguments);
    if (c.said == nullptr) {
        ASSERT_FALSE(line.exit) << line.message.toStdString();
        EXPECT_EQ(line.options.chosenStates, c.chosen);
        return;
    }
    ASSERT_TRUE(line.exit);
    EXPECT_EQ(line.exitCode, 1);
    EXPECT_TRUE(line.toError);
    EXPECT_EQ(line.message.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(line.message.endsWith(QLatin1Char('\n')));
    EXPECT_TRUE(line.message.startsWith(QLatin1String("brindora: ")));
    EXPECT_TRUE(line.message.contains(QLatin1String(c.said))) << line.message.toStdString();
    // What may be given: every state asked, no state never asked, the groups.
    for (const char* name : {"Austria", "Regno Unito", "Repubblica Ceca", "Slovenia", "balcani"})
        EXPECT_TRUE(line.message.contains(QLatin1String(name))) << name;
    for (const char* name : {"Norvegia", "Svizzera"})
        EXPECT_FALSE(line.message.section(QLatin1String("give"), 1).contains(QLatin1String(name)));
}

INSTANTIATE_TEST_SUITE_P(CommandLine, StatesTest, ::testing::ValuesIn(kStatesCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Identity, NameVersionOrganisationAndDesktopEntry) {
    setApplicationIdentity();
    EXPECT_EQ(QCoreApplication::applicationName(), "Brindora");
    EXPECT_EQ(QCoreApplication::applicationVersion(), BRINDORA_VERSION);
    EXPECT_EQ(QCoreApplication::organizationName(), "Collemarsi school");
    EXPECT_EQ(QGuiApplication::desktopFileName(), "it.collemarsi.Brindora");
}

struct RunCase : brindora::testing::NamedCase {
    QStringList arguments;
    // Added to one with no display of any kind. <free display> is an X display number no
    // server holds on this machine; <empty folder> a new folder with nothing in it.
    QStringList environment;
    int exitCode;
    const char* out; // part of standard output, or "" for none at all
    const char* err; // part of the first line of standard error, or "" for none at all
    int errLines;
};

// The line may go on to name the platform and why it failed.
const char kNoDisplay[] = "brindora: cannot open the window";
const RunCase kRunCases[] = {
    {"Help", {"--help"}, {}, 0, "--mute", "", 0},
    // The teacher's language: Italian under it_*, English otherwise, from the one catalogue.
    {"HelpItalian",
     {"--help"},
     {"LANG=it_IT.UTF-8", "LC_ALL=", "LANGUAGE="},
     0,
     "Mostra queste opzioni ed esce.",
     "",
     0},
    {"HelpEnglish",
     {"--help"},
     {"LANG=en_GB.UTF-8", "LC_ALL=", "LANGUAGE="},
     0,
     "Show these options and exit.",
     "",
     0},
    {"ErrorItalian",
     {"--bogus"},
     {"LC_ALL=it_IT.UTF-8"},
     1,
     "",
     "brindora: Opzione sconosciuta 'bogus'.",
     2},
    {"ReviewFolderMissingItalian",
     {"--review", "/nonexistent/classe"},
     {"LC_ALL=it_IT.UTF-8"},
     1,
     "",
     "brindora: --review: la cartella \"/nonexistent/classe\" non esiste",
     1},
    {"Version", {"--version"}, {}, 0, "Brindora " BRINDORA_VERSION "\n", "", 0},
    {"UnknownOption", {"--loud"}, {}, 1, "", "brindora: Unknown option 'loud'.", 2},
    {"NoDisplay", {}, {}, 1, "", kNoDisplay, 1},
    {"NoDisplayMuted", {"--mute"}, {}, 1, "", kNoDisplay, 1},
    {"UnreachableX", {}, {"QT_QPA_PLATFORM=xcb", "DISPLAY=<free display>"}, 1, "", kNoDisplay, 1},
    // A runtime folder of its own, so that libwayland finds it and has nothing to say of it.
    {"WaylandWithoutCompositor",
     {},
     {"QT_QPA_PLATFORM=wayland", "XDG_RUNTIME_DIR=<empty folder>"},
     1,
     "",
     kNoDisplay,
     1},
    // A wrong --states is told before any window is tried.
    {"StatesNorway", {"--states", "Norvegia"}, {}, 1, "", "brindora: --states: \"Norvegia\"", 1},
    {"StatesRightButNoDisplay", {"--states", "balcani"}, {}, 1, "", kNoDisplay, 1},
    {"ReviewFolderMissing",
     {"--review", "/nonexistent/classe"},
     {},
     1,
     "",
     "brindora: --review: the folder \"/nonexistent/classe\" does not exist",
     1},
    // The line names the platform tried and what it lacked.
    {"NamesMissingX",
     {},
     {"QT_QPA_PLATFORM=xcb"},
     1,
     "",
     "brindora: cannot open the window: no display found: X (DISPLAY is not set)",
     1},
    {"NamesSilentX",
     {},
     {"QT_QPA_PLATFORM=xcb", "DISPLAY=<free display>"},
     1,
     "",
     "brindora: cannot open the window: no display found: X (nothing answers at DISPLAY=:",
     1},
    {"NamesMissingPlugin",
     {},
     {"QT_QPA_PLATFORM=nosuch"},
     1,
     "",
     "brindora: cannot open the window: the Qt platform plugin \"nosuch\" is not installed",
     1},
};

// ":<n>" for the first n from 90 on whose socket and lock file do not exist: no X server
// there, whatever else runs on the machine.
QString freeDisplay() {
    int n = 90;
    while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) ||
           QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
        ++n;
    return QStringLiteral(":%1").arg(n);
}

class RunTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(RunTest, AnswersAndEndsAtOnce) {
    const RunCase& c = GetParam();
    // A missing or silent display is Linux's: a Windows program always has its desktop.
    if (QSysInfo::productType() == QLatin1String("windows") && QLatin1String(c.err).startsWith(QLatin1String(kNoDisplay)) &&
        !c.environment.join(QLatin1Char(' ')).contains(QLatin1String("nosuch")))
        GTEST_SKIP() << "linux-only: no display of any kind";
    // Windows takes the language of its messages from the account's settings, not from LANG.
    const QString settings = c.environment.join(QLatin1Char(' '));
    if (QSysInfo::productType() == QLatin1String("windows") &&
        (settings.contains(QLatin1String("LANG=")) || settings.contains(QLatin1String("LC_ALL="))))
        GTEST_SKIP() << "linux-only: the language chosen by LANG or LC_ALL";
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    // A sanitizer build keeps its settings (leak suppressions) in the child.
    const QProcessEnvironment mine = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"})
        if (mine.contains(QLatin1String(name)))
            environment.insert(QLatin1String(name), mine.value(QLatin1String(name)));
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    for (QString setting : c.environment) {
        setting.replace(QLatin1String("<free display>"), freeDisplay());
        setting.replace(QLatin1String("<empty folder>"), empty.path());
        environment.insert(setting.section(QLatin1Char('='), 0, 0),
                           setting.section(QLatin1Char('='), 1));
    }
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(BRINDORA_PROGRAM), c.arguments);
    ASSERT_TRUE(program.waitForFinished(60000)) << "the program did not end";
    // (a Windows console program ends its lines with \r\n)
    const QString out =
        QString::fromLocal8Bit(program.readAllStandardOutput()).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QString err = QString::fromLocal8Bit(program.readAllStandardError());

    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "crashed: " << err.toStdString();
    EXPECT_EQ(program.exitCode(), c.exitCode);
    EXPECT_TRUE(*c.out ? out.contains(QLatin1String(c.out)) : out.isEmpty()) << out.toStdString();
    const QStringList lines = err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), c.errLines) << err.toStdString();
    if (*c.err && !lines.isEmpty()) {
        EXPECT_TRUE(lines.first().startsWith(QLatin1String(c.err))) << err.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Program, RunTest, ::testing::ValuesIn(kRunCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

// --scan SECONDS: the switch's step in milliseconds, or the error that stops the program.
struct ScanCase : brindora::testing::NamedCase {
    QStringList arguments;
    int ms; // 0 with no scan, or when the program stops with the error
    bool error;
};

const ScanCase kScanCases[] = {
    {"NoScan", {}, 0, false},
    {"TwoSeconds", {"--scan", "2"}, 2000, false},
    {"ItalianComma", {"--scan=1,5"}, 1500, false},
    {"Shortest", {"--scan", "0.5"}, 500, false},
    {"Longest", {"--scan", " 10 "}, 10000, false},
    {"TooShort", {"--scan", "0.4"}, 0, true},
    {"TooLong", {"--scan", "10.5"}, 0, true},
    {"NotANumber", {"--scan", "presto"}, 0, true},
    {"NotANumberAtAll", {"--scan", "nan"}, 0, true},
    {"Missing", {"--scan"}, 0, true},
};

class ScanOption : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanOption, ReadsTheSecondsOrStops) {
    const ScanCase& c = GetParam();
    const CommandLine line =
        parseCommandLine(QStringList{QStringLiteral("brindora")} + c.arguments);
    EXPECT_EQ(line.exit, c.error) << line.message.toStdString();
    if (c.error)
        EXPECT_EQ(line.exitCode, 1);
    else
        EXPECT_EQ(line.options.scanMs, c.ms);
}

INSTANTIATE_TEST_SUITE_P(CommandLine, ScanOption, ::testing::ValuesIn(kScanCases),
                         [](const auto& info) { return std::string(info.param.name); });

// scan= is the pupil's own: read from the user's brindora.conf, not the lab's.
TEST(ScanSetting, TheUsersFileOnly) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const QString& folder, const QByteArray& text) {
        QDir().mkpath(dir.filePath(folder));
        QFile file(dir.filePath(folder + QStringLiteral("/brindora.conf")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    const SettingsPlaces places{dir.path().toStdString(),
                                {dir.filePath("lab/brindora.conf").toStdString()},
                                dir.filePath("user/brindora.conf").toStdString()};
    write("lab", "[accessibility]\nscan=4\n");
    EXPECT_EQ(scanFromSettings(places), 0);
    write("user", "[results]\nscan=5\n[accessibility]\nscan = 2,5\n");
    EXPECT_EQ(scanFromSettings(places), 2500);
    write("user", "[accessibility]\nscan=fast\n");
    EXPECT_EQ(scanFromSettings(places), 0); // and one line on standard error
}

} // namespace
