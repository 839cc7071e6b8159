// The game file's name, its CSV cells and brindora.conf, as a lab's share and a teacher's
// spreadsheet meet them.
#include "case_name.h"
#include "csv.h"
#include "file_name.h"
#include "game_file.h"
#include "results_files.h"
#include "results_setup.h"
#include "results_writer.h"

#include <gtest/gtest.h>
#include <regex>

using namespace brindora;
using namespace brindora::testing;

namespace {

constexpr std::time_t kStart = 1741947725; // 2025-03-14 10:22:05 UTC (the suite runs in UTC)

struct NameCase : NamedCase {
    std::string pc, pupil;
    const char* expected;
};
const NameCase kNames[] = {
    {"Plain", "LAB-07", "Mario Rossi", "20250314-102205_LAB-07_Mario-Rossi.csv"},
    {"Accents", "aula.scuola.it", "Niccolò D'Àlba",
     "20250314-102205_aula-scuola-it_Niccolo-D-Alba.csv"},
    {"Parent folders", "../..", "../../etc/passwd", "20250314-102205_x_etc-passwd.csv"},
    {"Backslashes", "PC\\01", "C:\\Users\\..\\x", "20250314-102205_PC-01_C-Users-x.csv"},
    {"Control characters", "lab\n",
     "a\tb\r\x01"
     "c\x7f",
     "20250314-102205_lab_a-b-c.csv"},
    {"Nothing left", "", "?*<>|\"", "20250314-102205_x_x.csv"},
    {"Not UTF-8", "\xff\xfe", "\xc3(\xe2", "20250314-102205_x_x.csv"},
    {"Names Windows keeps", "CON", "nul.txt", "20250314-102205_CON_nul-txt.csv"},
    {"Emoji", "pc", "Anna \xF0\x9F\x98\x80 Bo", "20250314-102205_pc_Anna-Bo.csv"},
    {"Very long", std::string(300, 'p'), std::string(300, 'a'),
     nullptr}, // checked by the bounds alone
};

class FileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNameTest, IsSafeOnEveryFileSystem) {
    const NameCase& c = GetParam();
    const std::string name = gameFileName(kStart, c.pc, c.pupil, 1);
    if (c.expected) {
        EXPECT_EQ(name, c.expected);
    }
    EXPECT_TRUE(
        std::regex_match(name, std::regex("[0-9]{8}-[0-9]{6}_[A-Za-z0-9-]+_[A-Za-z0-9-]+\\.csv")))
        << name;
    EXPECT_EQ(name.find(".."), std::string::npos);
    // Windows keeps CON, NUL, COM1... for devices, with any extension, on every share.
    EXPECT_FALSE(std::regex_search(
        name, std::regex("^(con|prn|aux|nul|com[1-9]|lpt[1-9])(\\.|$)", std::regex::icase)));
    EXPECT_LE(name.size(), 85u);
    EXPECT_EQ(gameFileName(kStart, c.pc, c.pupil, 3), name.substr(0, name.size() - 4) + "_3.csv");
}
INSTANTIATE_TEST_SUITE_P(Names, FileNameTest, ::testing::ValuesIn(kNames), ByName());

struct CsvCase : NamedCase {
    std::vector<std::string> cells;
    const char* line;
};
const CsvCase kCsv[] = {
    {"Plain", {"Romania", "3"}, "Romania;3\r\n"},
    {"Empty cells", {"", "", ""}, ";;\r\n"},
    {"Separator and quotes", {"a;b", "il \"bello\""}, "\"a;b\";\"il \"\"bello\"\"\"\r\n"},
    {"Line breaks", {"a\nb", "c\r\nd"}, "\"a\nb\";\"c\r\nd\"\r\n"},
    {"Formulas", {"=1+1", "+39 333", "-2", "@SOMMA(A1)"}, "'=1+1;'+39 333;'-2;'@SOMMA(A1)\r\n"},
    {"Tab and CR first", {"\tx", "\r=x"}, "'\tx;\"'\r=x\"\r\n"},
    {"Apostrophes", {"l'Aquila", "'ciao", "'=x", "''-1"}, "l'Aquila;'ciao;''=x;'''-1\r\n"},
    {"Formula later in the cell", {"Anna = 1", "a+b"}, "Anna = 1;a+b\r\n"},
    {"Accents kept", {"Niccolò", "€"}, "Niccolò;€\r\n"},
};

class CsvTest : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvTest, QuotesDefusesAndReadsBack) {
    const CsvCase& c = GetParam();
    const std::string line = csv::row(c.cells);
    EXPECT_EQ(line, c.line);
    const csv::Table table = csv::parse(line);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_FALSE(table.cutShort);
    std::vector<std::string> back;
    for (const std::string& cell : table.rows[0])
        back.push_back(csv::undefuse(cell));
    EXPECT_EQ(back, c.cells);
    EXPECT_TRUE(csv::parse(line.substr(0, line.size() - 1)).cutShort);
}
INSTANTIATE_TEST_SUITE_P(Cells, CsvTest, ::testing::ValuesIn(kCsv), ByName());

TEST(GameFileTest, StartsWithTheMarkTheTitleAndTheColumns) {
    const std::string start = gameFileStart();
    EXPECT_EQ(start.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(start.substr(3), "Brindora;formato 1\r\nData e ora;PC;Alunno;Richiesta;"
                               "Stato chiesto;Stato cliccato;Testo della regione;Esito;"
                               "Secondi dalla richiesta\r\n");
    const GamePlace place{"=HYPERLINK(\"x\")", "Anna; \"Bo\""};
    EXPECT_EQ(
        answerRow("2025-03-14 10:22:05", place, {2, 1, 2, "Questa è la Bulgaria", false}, 3.26),
        "2025-03-14 10:22:05;\"'=HYPERLINK(\"\"x\"\")\";\"Anna; \"\"Bo\"\"\";2;Romania;"
        "Bulgaria;Questa è la Bulgaria;sbagliato;\"3,3\"\r\n");
    EXPECT_EQ(endRow("2025-03-14 10:25:00", {"pc", "Anna"}, 7, GameEnd::TooManyErrors),
              "2025-03-14 10:25:00;pc;Anna;7;;;;fine: 20 errori;\r\n");
}

struct SettingsCase : NamedCase {
    const char* systemFirst;  // brindora.conf in the first of XDG_CONFIG_DIRS
    const char* systemSecond; // ... in the second
    const char* user;         // in XDG_CONFIG_HOME (here: HOME/.config)
    const char* givenFolder;
    const char* givenPupil;
    const char* folder; // "~" stands for HOME
    const char* pupil;  // nullptr: the login's own name
};
const SettingsCase kSettings[] = {
    {"Nothing anywhere", "", "", "", "", "", "", nullptr},
    {"Lab file", "[results]\nfolder=/srv/lab\n", "", "", "", "", "/srv/lab", nullptr},
    {"First system folder wins", "[results]\nfolder=/a\n", "[results]\nfolder=/b\n", "", "", "",
     "/a", nullptr},
    {"Second system folder", "", "[results]\nfolder=/b\n", "", "", "", "/b", nullptr},
    {"User over system", "[results]\nfolder=/lab\n", "", "[results]\nfolder=/mine\n", "", "",
     "/mine", nullptr},
    {"Command line over both", "[results]\nfolder=/lab\n", "", "[results]\nfolder=/mine\n",
     "/given", "", "/given", nullptr},
    {"Other groups and comments",
     "[other]\nfolder=/x\n[results]\n# folder=/no\n; folder=/no\n  folder = \"/a b\" \n[x]\n", "",
     "", "", "", "/a b", nullptr},
    {"Tilde", "", "", "[results]\nfolder=~/risultati\n", "", "", "~/risultati", nullptr},
    {"Pupil from the user's file", "", "", "[results]\npupil=Anna Bianchi\n", "", "", "",
     "Anna Bianchi"},
    {"Pupil in the lab file is the default", "[results]\npupil=Classe 3B\n", "", "", "", "", "",
     "Classe 3B"},
    {"User's pupil over the lab's", "[results]\npupil=Classe 3B\n", "", "[results]\npupil=Anna\n",
     "", "", "", "Anna"},
    {"Pupil not UTF-8 is left out", "", "", "[results]\npupil=Anna\xff\n", "", "", "", nullptr},
    {"Pupil given first", "", "", "[results]\npupil=Anna\n", "", "Luca", "", "Luca"},
};

class SettingsTest : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(SettingsTest, CommandLineThenUserThenSystem) {
    const SettingsCase& c = GetParam();
    TempFolder dir;
    const SettingsPlaces places{dir / "home",
                                {dir / "first/brindora.conf", dir / "second/brindora.conf"},
                                dir / "home/.config/brindora.conf"};
    if (*c.systemFirst)
        writeText(dir / "first/brindora.conf", c.systemFirst);
    if (*c.systemSecond)
        writeText(dir / "second/brindora.conf", c.systemSecond);
    if (*c.user)
        writeText(dir / "home/.config/brindora.conf", c.user);
    const ResultsSettings settings = readResultsSettings(places);
    std::string folder = c.folder;
    if (folder.rfind("~", 0) == 0)
        folder = places.home + folder.substr(1);
    EXPECT_EQ(resultsFolder(c.givenFolder, settings), folder);
    const std::string pupil = pupilName(c.givenPupil, settings);
    if (c.pupil) {
        EXPECT_EQ(pupil, c.pupil);
    } else {
        EXPECT_EQ(pupil, pupilName("", {})); // the login's full name, or its name
    }
    EXPECT_FALSE(pupil.empty());
    // No folder, no writer: then the game writes nothing at all.
    if (folder.empty()) {
        EXPECT_EQ(startResults(c.givenFolder, c.givenPupil, places), nullptr);
    }
}
INSTANTIATE_TEST_SUITE_P(Files, SettingsTest, ::testing::ValuesIn(kSettings), ByName());

// When the name box comes, and what it starts with.
TEST(SettingsTest, NameBoxOnAskOrSharedLogin) {
    struct Case {
        const char *lab, *user, *given, *login;
        bool ask;
        const char* prefill; // nullptr: the login's full name (pupilName's last resort)
        std::size_t problems;
    };
    const Case cases[] = {
        {"", "", "", "anna", false, "", 0},
        {"[results]\nask_pupil=1\n", "", "", "anna", true, nullptr, 0},
        {"[results]\nask_pupil=1\npupil=Classe 3B\n", "", "", "anna", true, "Classe 3B", 0},
        {"[results]\nask_pupil=1\n", "[results]\npupil=Anna B\n", "", "anna", true, "Anna B", 0},
        {"[results]\nask_pupil=1\n", "[results]\nask_pupil=0\n", "", "anna", false, "", 0},
        {"[results]\nask_pupil=1\n", "", "Luca", "anna", false, "", 0},
        {"[results]\nshared_logins=studente, Aula\n", "[results]\npupil=Anna\n", "", "aula", true,
         "", 0},
        {"[results]\nshared_logins=studente\n", "", "", "anna", false, "", 0},
        {"[results]\nask_pupil=si\n", "", "", "anna", false, "", 1},
        {"[results]\nshared_logins=stud\xe9nte\n", "", "", "anna", false, "", 1},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        writeText(dir / "lab/brindora.conf", c.lab);
        writeText(dir / "user/brindora.conf", c.user);
        const ResultsSettings settings = readResultsSettings(
            {dir.path(), {dir / "lab/brindora.conf"}, dir / "user/brindora.conf"});
        const PupilQuestion question = pupilQuestion(c.given, settings, c.login);
        EXPECT_EQ(question.ask, c.ask) << c.lab << c.user << c.login;
        EXPECT_EQ(question.prefill, c.prefill ? c.prefill : pupilName("", {})) << c.lab;
        EXPECT_EQ(settings.problems.size(), c.problems) << c.lab;
    }
}

// Where Linux looks for the files: plain text, the same on every platform.
TEST(SettingsTest, XdgFoldersMakeTheListOfFiles) {
    struct Case {
        const char *configHome, *configDirs;
        std::vector<std::string> lab;
        const char* user;
    };
    const Case cases[] = {
        {"", "", {"/etc/xdg/brindora.conf"}, "/home/anna/.config/brindora.conf"},
        {"/cfg",
         "/a:relative::/b/",
         {"/a/brindora.conf", "/b//brindora.conf"},
         "/cfg/brindora.conf"},
        {"relative", "/a", {"/a/brindora.conf"}, "/home/anna/.config/brindora.conf"},
    };
    for (const Case& c : cases) {
        const SettingsPlaces places = SettingsPlaces::xdg("/home/anna", c.configHome, c.configDirs);
        EXPECT_EQ(places.labFiles, c.lab) << c.configDirs;
        EXPECT_EQ(places.userFile, c.user) << c.configHome;
    }
    EXPECT_EQ(SettingsPlaces::xdg("", "", "").userFile, "");
}

} // namespace
