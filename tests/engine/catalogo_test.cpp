// The catalogue's look-up and the texts the pupil sees and hears.
#include "case_name.h"
#include "catalogo.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace brindora;
using brindora::testing::ByName;

namespace {

TEST(Catalogo, RowsAreNumberedByTheirPlace) {
    for (std::size_t i = 0; i < catalogo.size(); ++i)
        EXPECT_EQ(catalogo[i].number, static_cast<StateNumber>(i + 1));
}

TEST(Catalogo, LookupFindsEveryRow) {
    for (int n = 1; n <= 29; ++n) {
        const StateRow* row = lookupState(n);
        ASSERT_NE(row, nullptr) << n;
        EXPECT_EQ(row->number, n);
    }
}

struct Outside {
    const char* name;
    long long number;
};
void PrintTo(const Outside& c, std::ostream* os) {
    *os << c.name << ": state number " << c.number;
}

class LookupOutside : public ::testing::TestWithParam<Outside> {};
TEST_P(LookupOutside, YieldsNothing) {
    EXPECT_EQ(lookupState(GetParam().number), nullptr);
}
INSTANTIATE_TEST_SUITE_P(
    Numbers, LookupOutside,
    ::testing::Values(Outside{"nothing drawn yet", 0}, Outside{"minus one", -1},
                      Outside{"minus 29", -29}, Outside{"one past the last", 30},
                      Outside{"two past the last", 31}, Outside{"largest 16 bit", 32767},
                      Outside{"smallest 16 bit", -32768}, Outside{"past 16 bits", 65536 + 1}),
    ByName());

struct Row {
    int number;
    const char* name;
    const char* prompt;
    const char* file;
};
void PrintTo(const Row& row, std::ostream* os) {
    *os << "state " << row.number << ", " << row.name;
}
class CatalogoRow : public ::testing::TestWithParam<Row> {};
TEST_P(CatalogoRow, TextsAsWritten) {
    const Row& want = GetParam();
    const StateRow* row = lookupState(want.number);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->name, want.name);
    EXPECT_EQ(row->prompt, want.prompt);
    EXPECT_EQ(row->soundFile, want.file);
}
INSTANTIATE_TEST_SUITE_P(
    Samples, CatalogoRow,
    ::testing::Values(Row{5, "Ungheria", "Clicca sull'Ungheria", "Ungheria.wav"},
                      Row{7, "Repubblica Ceca", "Clicca sulla Repubblica Ceca",
                          "Repubblica Ceca.wav"},
                      Row{17, "Regno Unito", "Clicca sul Regno Unito", "Regno Unito.wav"},
                      Row{19, "Paesi Bassi", "Clicca sui Paesi Bassi", "Paesi Bassi.wav"},
                      Row{20, "Irlanda", "Clicca sulla Irlanda", "Irlanda.wav"},
                      Row{24, "Lussemburgo", "Clicca su Lussemburgo", "Lussemburgo.wav"},
                      Row{25, "Malta", "Clicca su Malta", "Malta.wav"},
                      Row{12, "Norvegia", "Clicca sulla Norvegia", "Norvegia.wav"},
                      Row{27, "Svizzera", "Clicca sulla Svizzera", "Svizzera.wav"}),
    ByName());

TEST(Catalogo, OnlyTwelveAndTwentySevenAreNeverDrawn) {
    std::set<int> never;
    for (const StateRow& row : catalogo)
        if (!row.drawn)
            never.insert(row.number);
    EXPECT_EQ(never, (std::set<int>{12, 27}));
}

TEST(Catalogo, TextsArePlainAsciiAndPromptsKeepTheirOwnArticle) {
    for (const StateRow& row : catalogo) {
        for (std::string_view text : {row.name, row.prompt, row.soundFile})
            for (char c : text)
                EXPECT_TRUE(static_cast<unsigned char>(c) < 128) << text;
        EXPECT_EQ(row.prompt.substr(0, 9), "Clicca su");
        EXPECT_NE(row.prompt.find(row.name), std::string_view::npos) << row.prompt;
        EXPECT_EQ(row.soundFile, std::string(row.name) + ".wav");
    }
}

TEST(Catalogo, ThirtyOneDistinctRecordings) {
    const auto files = soundFiles();
    std::set<std::string_view> distinct(files.begin(), files.end());
    EXPECT_EQ(distinct.size(), 31u);
    EXPECT_EQ(files[0], "inno.wav");
    EXPECT_EQ(files[1], "esatto.wav");
    int withBlank = 0;
    for (auto f : files)
        withBlank += f.find(' ') != std::string_view::npos;
    EXPECT_EQ(withBlank, 3);
}

} // namespace
