// The class summary and review from a small folder made by hand: the tables, the map, the
// escaping, the files skipped; and the real program's --summary with no display at all.
#include "class_map.h"
#include "class_summary.h"
#include "messages.h"
#include "results_files.h"
#include "results_setup.h"
#include "summary_page.h"

#include <array>
#include <gtest/gtest.h>

using namespace brindora;
using namespace brindora::testing;

namespace {

struct Read {
    GameFolder folder;
    std::vector<std::string> lines;
};

Read readFolder(const TempFolder& dir) {
    Read read;
    std::string error;
    EXPECT_TRUE(readGameFolder(dir.path(), read.folder, error, [&](const std::string& line) {
        read.lines.push_back(line);
    })) << error;
    return read;
}

const StateSummary& state(const ClassSummary& s, StateNumber number) {
    for (const StateSummary& st : s.states)
        if (st.state == number)
            return st;
    throw std::runtime_error("no such state");
}

TEST(SummaryTest, PupilsStatesDatesAndFilesSkipped) {
    TempFolder dir;
    makeClassFolder(dir);
    const Read read = readFolder(dir);
    // One line per file skipped or read in part, naming it.
    const std::vector<std::string> named = {
        "20250313-120000_pc4_Luca.csv", "notes.csv", "20250314-000000_pc5_cut.csv",
        "20250314-000001_pc6_new.CSV", "20250314-000002_pc7_empty.csv"};
    ASSERT_EQ(read.lines.size(), named.size());
    for (const std::string& file : named) {
        int lines = 0;
        for (const std::string& line : read.lines)
            lines += line.find("\"" + dir / file + "\"") != std::string::npos;
        EXPECT_EQ(lines, 1) << file;
    }
    const ClassSummary s = summarise(read.folder);
    EXPECT_EQ(s.filesRead, 4);
    EXPECT_EQ(s.unfinished, 2);
    EXPECT_EQ(s.skipped.size(), 4u);
    EXPECT_EQ(s.partial.size(), 1u);
    EXPECT_EQ(s.firstTime, "2025-03-10 09:00:05");
    EXPECT_EQ(s.lastTime, "2025-03-13 12:00:30");

    struct Row {
        const char* name;
        int games, unfinished;
        Counter found, errors, bestFound, bestErrors;
        const char *bestTime, *lastPlayed;
    };
    const std::vector<Row> pupils = {
        {"<script>alert(1)</script> & \"Bo\"", 1, 0, 1, 2, 1, 2, "2025-03-11 11:00:05",
         "2025-03-11 11:00:30"},
        {"=Luca", 1, 1, 1, 0, 1, 0, "2025-03-13 12:00:30", "2025-03-13 12:00:30"},
        {"Anna", 2, 1, 4, 2, 2, 0, "2025-03-12 10:00:05", "2025-03-12 10:00:20"},
    };
    ASSERT_EQ(s.pupils.size(), pupils.size());
    for (std::size_t i = 0; i < pupils.size(); ++i) {
        const PupilSummary& p = s.pupils[i];
        const Row& r = pupils[i];
        EXPECT_EQ(p.name, r.name);
        EXPECT_EQ(std::vector<Counter>(
                      {p.games, p.unfinished, p.found, p.errors, p.bestFound, p.bestErrors}),
                  std::vector<Counter>(
                      {r.games, r.unfinished, r.found, r.errors, r.bestFound, r.bestErrors}))
            << r.name;
        EXPECT_EQ(p.bestTime, r.bestTime) << r.name;
        EXPECT_EQ(p.lastPlayed, r.lastPlayed) << r.name;
    }

    EXPECT_EQ(s.states.size(), 27u); // the states the game asks
    const StateSummary &romania = state(s, 1), &bulgaria = state(s, 2), &france = state(s, 8);
    EXPECT_EQ(std::make_pair(romania.asked, romania.firstClick), std::make_pair(3, 1));
    ASSERT_EQ(romania.confused.size(), 2u);
    EXPECT_EQ(std::make_pair(romania.confused[0].clicked, romania.confused[0].times),
              std::make_pair(StateNumber(2), 2));
    EXPECT_EQ(std::make_pair(romania.confused[1].clicked, romania.confused[1].times),
              std::make_pair(StateNumber(5), 1));
    EXPECT_EQ(std::make_pair(bulgaria.asked, bulgaria.firstClick), std::make_pair(2, 1));
    EXPECT_EQ(std::make_pair(france.asked, france.firstClick), std::make_pair(2, 2));
    EXPECT_FALSE(state(s, 9).missed().has_value());

    // Review: the states the pupil did not find at once, whatever the case of the name.
    EXPECT_EQ(missedAtFirstClick(read.folder, " ANNA"), std::vector<StateNumber>({1, 2}));
    EXPECT_TRUE(missedAtFirstClick(read.folder, "=Luca").empty());
}

TEST(SummaryTest, PageIsEscapedSelfContainedAndTintsTheMap) {
    TempFolder dir;
    makeClassFolder(dir);
    const ClassSummary s = summarise(readFolder(dir).folder);
    const std::string png = encodePng(classMap(s));
    ASSERT_EQ(png.substr(1, 3), "PNG");
    const std::string page = summaryPage(s, "/srv/<classe>", png);
    EXPECT_NE(page.find("&lt;script&gt;alert(1)&lt;/script&gt; &amp; &quot;Bo&quot;"),
              std::string::npos);
    EXPECT_NE(page.find("/srv/&lt;classe&gt;"), std::string::npos);
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("'=Luca"), std::string::npos);
    EXPECT_NE(page.find("=Luca"), std::string::npos);
    for (const char* outside : {"http:", "https:", "src=\"/", "src=\"file", "url("})
        EXPECT_EQ(page.find(outside), std::string::npos) << outside;
    EXPECT_NE(page.find("<img alt=\"Carta d'Europa"), std::string::npos);
    EXPECT_NE(page.find("src=\"data:image/png;base64,"), std::string::npos);
    for (const char* said :
         {"Partite dal 10/03/2025 al 13/03/2025", "File letti: 4", "file saltati: 4", "notes.csv",
          "Bulgaria (2), Ungheria (1)", "33 %", "12/03/2025 10:00"})
        EXPECT_NE(page.find(said), std::string::npos) << said;

    // Each state's pixels, as the mask gives them, in its step of the ramp.
    const MapPicture mask = stateMask(), map = classMap(s);
    ASSERT_GT(mask.width, 0);
    ASSERT_EQ(map.width, mask.width);
    const auto colourAt = [&](std::size_t pixel) {
        const auto byte = [&](int k) {
            return std::uint32_t(static_cast<unsigned char>(map.rgb[pixel * 3 + k]));
        };
        return byte(0) << 16 | byte(1) << 8 | byte(2);
    };
    std::map<int, std::set<std::uint32_t>> seen;
    for (std::size_t pixel = 0; pixel < mask.rgb.size(); ++pixel)
        if (colourAt(pixel) != kBorderColour)
            seen[static_cast<unsigned char>(mask.rgb[pixel])].insert(colourAt(pixel));

    // Wherever two areas of the mask touch, a border pixel on one side or the other; and
    // every pair of neighbours touches somewhere.
    const auto value = [&](std::size_t pixel) {
        return static_cast<unsigned char>(mask.rgb[pixel]);
    };
    std::set<std::pair<int, int>> neighbours;
    std::size_t unmarked = 0;
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            const std::size_t p = std::size_t(y) * mask.width + x;
            for (const std::size_t q : {p + 1, p + mask.width}) {
                if ((q == p + 1 && x + 1 == mask.width) || q >= mask.rgb.size())
                    continue;
                if (value(p) == 0 || value(q) == 0 || value(p) == value(q))
                    continue;
                neighbours.insert(std::minmax<int>(value(p), value(q)));
                unmarked += colourAt(p) != kBorderColour && colourAt(q) != kBorderColour;
            }
        }
    EXPECT_EQ(unmarked, 0u);
    EXPECT_TRUE(neighbours.count({8, 18})); // France and Spain, for one
    EXPECT_GE(neighbours.size(), 40u);
    EXPECT_EQ(seen[1], std::set<std::uint32_t>({0xDE2D26})); // Romania, 2 in 3 missed
    EXPECT_EQ(seen[2], std::set<std::uint32_t>({0xFB6A4A})); // Bulgaria, 1 in 2
    EXPECT_EQ(seen[8], std::set<std::uint32_t>({0xFEE5D9})); // France, never missed
    EXPECT_EQ(seen[9], std::set<std::uint32_t>({kNeverAskedColour, kHatchColour})); // Germany
    EXPECT_EQ(seen[255], std::set<std::uint32_t>({kOtherLandColour}));
}

TEST(ReviewTest, MissedStatesWithinTheChosenOnes) {
    TempFolder dir;
    makeClassFolder(dir);
    const SettingsPlaces nowhere{dir / "home", {dir / "etc/brindora.conf"}, ""};
    struct Case {
        const char* pupil;
        std::vector<StateNumber> chosen, expected;
        const char* said; // in the one line on standard error, if any
    };
    const Case cases[] = {
        {"Anna", {}, {1, 2}, nullptr},
        {"anna", {2, 8}, {2}, nullptr},
        {"Anna", {8}, {}, "none of the states Anna missed"},
        {"=Luca", {}, {}, "=Luca found every state at the first click"},
        {"Anna Bianchi", {}, {}, "no game of Anna Bianchi in"},
    };
    for (const Case& c : cases) {
        ::testing::internal::CaptureStderr();
        const std::vector<StateNumber> states =
            reviewStates(dir.path(), c.pupil, c.chosen, nowhere);
        const std::string errors = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(states, c.expected) << c.pupil;
        const std::string last = errors.substr(errors.rfind('\n', errors.size() - 2) + 1);
        if (c.said) {
            EXPECT_NE(last.find(c.said), std::string::npos) << errors;
        } else {
            EXPECT_EQ(last.find("brindora: review"), std::string::npos) << errors;
        }
    }
}

// The dates as Italian says them: "dell'11", "dall'8", "all'1".
TEST(SummaryTest, DatesElidedAsItalianSaysThem) {
    const std::array<const char*, 3> cases[] = {
        {"2026-12-11 10:00:00", "2026-12-11 11:00:00", "Partite dell&#39;11/12/2026"},
        {"2026-12-12 10:00:00", "2026-12-12 11:00:00", "Partite del 12/12/2026"},
        {"2026-03-08 10:00:00", "2026-03-10 11:00:00", "Partite dall&#39;08/03/2026 al 10/03/2026"},
        {"2026-03-10 10:00:00", "2026-04-01 11:00:00", "Partite dal 10/03/2026 all&#39;01/04/2026"},
    };
    for (const auto& [first, last, said] : cases) {
        ClassSummary s;
        s.firstTime = first;
        s.lastTime = last;
        EXPECT_NE(summaryPage(s, "/srv", "").find(said), std::string::npos) << said;
    }
}

// The results' lines in both languages, from the catalogue; the names given kept byte for byte.
TEST(MessagesTest, ItalianOrEnglish) {
    const std::string odd = "Anna %2 \xff";
    struct Case {
        bool italian;
        std::string said;
    };
    const Case cases[] = {
        {false, "brindora: review: no game of Anna %2 \xff in \"/srv\": the full game"},
        {true, "brindora: ripasso: nessuna partita di Anna %2 \xff in \"/srv\": gioco completo"},
    };
    for (const Case& c : cases) {
        setItalianMessages(c.italian);
        EXPECT_EQ(say(QT_TRANSLATE_NOOP("brindora",
                                        "brindora: review: no game of %1 in \"%2\": the full game"),
                      {odd, "/srv"}),
                  c.said);
        const ReadResult read = readGameFile("nome;voto\r\n");
        EXPECT_EQ(read.detail, c.italian ? "non è il file di una partita di Brindora"
                                         : "it is not a game file of Brindora");
    }
    setItalianMessages(false);
}

} // namespace
