// The reader over game files as spreadsheets save them again, and over files that are no
// games (line-end bombs included); review and chosen-state games kept out of the shares.
#include "case_name.h"
#include "class_summary.h"
#include "csv.h"
#include "file_name.h"
#include "game_file.h"
#include "results_files.h"
#include "results_setup.h"
#include "results_writer.h"
#include "summary_page.h"

#include <gtest/gtest.h>

#include <regex>

using namespace brindora;
using namespace brindora::testing;

namespace {

// A game as the game writes it: a pupil whose name has a comma and an accent.
std::string writtenGame() {
    const GamePlace place{"LAB-07", "Bò, Niccolò"};
    return gameFileStart() +
           answerRow("2025-03-14 10:22:05", place, {1, 1, 2, "Questa è la Bulgaria", false}, 2.5) +
           answerRow("2025-03-14 10:22:09", place, {1, 1, 1, "", true}, 6.0) +
           endRow("2025-03-14 10:23:00", place, 1, GameEnd::Exit);
}

// The same rows written out again as a spreadsheet would.
struct Resave {
    char separator = ';';
    bool quoteAll = false, bom = true, crlf = true, calcWidth = false;
};
std::string resave(const std::string& text, const Resave& how) {
    std::string out = how.bom ? std::string(csv::kBom) : std::string();
    for (auto cells : csv::parse(text.substr(csv::kBom.size())).rows) {
        if (how.calcWidth)
            cells.resize(9);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const std::string& c = cells[i];
            const bool quote = how.quoteAll || c.find_first_of(";,\"") != std::string::npos;
            out += (i ? std::string(1, how.separator) : "") +
                   (quote ? "\"" + std::regex_replace(c, std::regex("\""), "\"\"") + "\"" : c);
        }
        out += how.crlf ? "\r\n" : "\n";
    }
    return out;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    return std::regex_replace(text, std::regex(from), to);
}

struct ReadCase : NamedCase {
    std::string text;
    ReadProblem problem;
};
const std::string kGame = writtenGame();
const ReadCase kReads[] = {
    {"AsWritten", kGame, ReadProblem::None},
    {"CalcKeepFormat", resave(kGame, {';', true, false, false, false}), ReadProblem::None},
    {"CommasQuotedLf", resave(kGame, {',', false, false, false, false}), ReadProblem::None},
    {"CommasCrlfBom", resave(kGame, {',', true, true, true, false}), ReadProblem::None},
    {"CalcWidth", resave(kGame, {';', false, true, true, true}), ReadProblem::None},
    {"LastEmptyCellDropped", replaced(kGame, "EXIT;\r\n", "EXIT\r\n"), ReadProblem::None},
    {"ItalianDates", replaced(kGame, "2025-03-14 10:22:05", "14/03/2025 10:22:05"),
     ReadProblem::None},
    {"ItalianDatesNoSeconds", replaced(kGame, "2025-03-14 (10:2[23]):..", "14/03/2025 $1"),
     ReadProblem::None},
    {"Windows1252", replaced(replaced(kGame, "ò", "\xF2"), "è", "\xE8"), ReadProblem::None},
    {"NotesTable", "nome;voto\r\nAnna;8\r\n", ReadProblem::NotGameFile},
    {"TabsBetweenCells", replaced(kGame, ";", "\t"), ReadProblem::NotGameFile},
    {"OtherColumns", replaced(kGame, "Esito", "Voto"), ReadProblem::NotGameFile},
    {"LineEndBomb", std::string(csv::kBom) + std::string(4 << 20, '\n'), ReadProblem::NotGameFile},
    {"LineEndsAfterTheHeader", gameFileStart() + std::string(4 << 20, '\n'),
     ReadProblem::NotGameFile},
    {"QuoteNeverClosed", gameFileStart() + "\"" + std::string(1 << 20, 'x'),
     ReadProblem::LastRowCut},
    {"Empty", "", ReadProblem::Truncated},
};

class ReaderTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReaderTest, TakesResavedGamesRefusesTheRest) {
    const ReadCase& c = GetParam();
    const ReadResult read = readGameFile(c.text);
    EXPECT_EQ(read.problem, c.problem) << read.detail;
    if (c.problem != ReadProblem::None)
        return;
    const GameRecord& game = read.record;
    EXPECT_EQ(game.place.pupil, "Bò, Niccolò");
    EXPECT_EQ(game.firstTime.substr(0, 16), "2025-03-14 10:22");
    ASSERT_EQ(game.answers.size(), 2u);
    EXPECT_EQ(game.answers[0].clicked, 2);
    EXPECT_TRUE(game.answers[1].right);
    EXPECT_EQ(game.end, GameEnd::Exit);
}
INSTANTIATE_TEST_SUITE_P(Files, ReaderTest, ::testing::ValuesIn(kReads), ByName());

// Review games ask what a pupil got wrong, lessons only some states: the class's shares and
// map count full games only, and the page says how many were left out.
TEST(SummaryTest, ReviewAndChosenGamesKeptApart) {
    TempFolder dir;
    const GamePlace place{"pc", "Anna"};
    const auto game = [&](const std::string& name, const std::string& mode, bool right) {
        writeText(dir / name, gameFileStart(mode) +
                                  answerRow("2025-03-14 10:00:00", place,
                                            {1, 1, StateNumber(right ? 1 : 2), "", right}, 1) +
                                  endRow("2025-03-14 10:01:00", place, 1, GameEnd::Exit));
    };
    game("a.csv", "", true);
    game("b.csv", gameMode(true, {}), false);
    game("c.csv", gameMode(false, {1, 2}), false);
    EXPECT_EQ(readGameFile(fileText(dir / "c.csv")).record.mode, "Stati scelti: Romania, Bulgaria");
    GameFolder folder;
    std::string error;
    ASSERT_TRUE(readGameFolder(dir.path(), folder, error, [](const std::string&) {}));
    const ClassSummary s = summarise(folder);
    EXPECT_EQ(s.games, 3);
    EXPECT_EQ(s.apart, 2);
    for (const StateSummary& st : s.states)
        if (st.state == 1) {
            EXPECT_EQ(st.asked, 1);
            EXPECT_EQ(st.firstClick, 1); // 100 %, the two missed elsewhere left out
        }
    ASSERT_EQ(s.pupils.size(), 1u);
    EXPECT_EQ(s.pupils[0].errors, 2); // the pupil's own figures count every game
}

// What a folder's names may carry to a terminal or a page: escaped, the rest kept.
TEST(HostileTest, ControlCharactersEscaped) {
    const std::pair<std::string, std::string> cases[] = {
        {"Niccolò Bò", "Niccolò Bò"},
        {"a\nbrindora: forged", "a\\x0abrindora: forged"},
        {"\x1b]0;title\x07", "\\x1b]0;title\\x07"},
        {"del\x7f c1\xc2\x9b", "del\\x7f c1\\xc2\\x9b"},
        {"bad \xff\xc3(", "bad \\xff\\xc3("},
    };
    for (const auto& [raw, shown] : cases) {
        EXPECT_EQ(printable(raw), shown);
        EXPECT_EQ(htmlEscape(raw).find_first_of("\n\x1b\x07\x7f"), std::string::npos);
    }
}

// Every predictable name of the start second taken beforehand: the game still gets a file
// of its own, under a name nobody could take in advance.
TEST(HostileTest, SquattedNamesStillGetTheGame) {
    TempFolder dir;
    const std::time_t start = 1741947725;
    for (int attempt = 1; attempt <= 1000; ++attempt)
        writeText(dir / gameFileName(start, "pc", "Anna", attempt), "taken");
    ResultsWriterSetup setup;
    setup.folder = dir.path();
    setup.place = {"pc", "Anna"};
    setup.wallNow = [=] { return start; };
    setup.report = [](const std::string&) {};
    std::string path;
    {
        ResultsWriter writer(setup);
        writer.answered({1, 1, 1, "", true});
        ASSERT_TRUE(writer.waitWritten(std::chrono::seconds(5)));
        path = writer.path();
    }
    EXPECT_TRUE(std::regex_search(path, std::regex("_pc_Anna_[0-9a-f]{12}\\.csv$"))) << path;
    EXPECT_EQ(readGameFile(fileText(path)).record.answers.size(), 1u);
}

// Something the page may not replace under its name: the page goes beside it, one line says so.
TEST(HostileTest, PageBesideWhatItCannotReplace) {
    TempFolder dir;
    makeClassFolder(dir);
    std::filesystem::remove(std::filesystem::u8path(dir / "riepilogo.html"));
    std::filesystem::create_directory(std::filesystem::u8path(dir / "riepilogo.html"));
    ::testing::internal::CaptureStderr();
    std::string error;
    const std::string path = writeSummary(dir.path(), error);
    const std::string said = ::testing::internal::GetCapturedStderr();
    ASSERT_FALSE(path.empty()) << error;
    EXPECT_TRUE(std::regex_search(path, std::regex("riepilogo_[0-9a-f]{12}\\.html$"))) << path;
    EXPECT_NE(fileText(path).find("Riepilogo della classe"), std::string::npos);
    EXPECT_NE(said.find("cannot replace"), std::string::npos) << said;
}

} // namespace
