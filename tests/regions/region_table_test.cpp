// The region table checked as data: counts, ranks, grid, bounds, states.
#include "catalogo.h"
#include "region_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace brindora;

TEST(RegionTable, SeventyRegionsAndTwoInertZonesShareRanksOneToSeventyTwo) {
    std::set<int> ranks;
    for (const Region& r : regioni)
        ranks.insert(r.rank);
    for (const InertZone& z : inertZones)
        ranks.insert(z.rank);
    EXPECT_EQ(regioni.size(), 70u);
    EXPECT_EQ(inertZones.size(), 2u);
    ASSERT_EQ(ranks.size(), 72u); // no rank used twice
    EXPECT_EQ(*ranks.begin(), 1);
    EXPECT_EQ(*ranks.rbegin(), 72);
}

TEST(RegionTable, RegionsPerState) {
    const std::map<int, int> expected{{1, 2},  {2, 2},  {3, 4},  {4, 1},  {5, 2},  {6, 3},  {7, 2},
                                      {8, 8},  {9, 3},  {10, 2}, {11, 5}, {13, 7}, {14, 2}, {15, 5},
                                      {16, 2}, {17, 3}, {18, 4}, {19, 1}, {20, 2}, {21, 1}, {22, 1},
                                      {23, 1}, {24, 1}, {25, 1}, {26, 1}, {28, 2}, {29, 2}};
    std::map<int, int> counts;
    for (const Region& r : regioni)
        counts[r.state]++;
    EXPECT_EQ(counts, expected);
}

TEST(RegionTable, EveryDrawableStateHasARegionAndOnlyThose) {
    for (const StateRow& row : catalogo) {
        bool has = false;
        for (const Region& r : regioni)
            has = has || r.state == row.number;
        EXPECT_EQ(has, row.drawn) << row.name;
    }
}

TEST(RegionTable, RectanglesOnTheGridAndInsideTheMap) {
    auto check = [](std::string_view name, const Rect& r) {
        EXPECT_EQ(r.left % 15, 0) << name;
        EXPECT_EQ(r.top % 15, 0) << name;
        EXPECT_EQ(r.width % 15, 0) << name;
        EXPECT_EQ(r.height % 15, 0) << name;
        EXPECT_GT(r.width, 0) << name;
        EXPECT_GT(r.height, 0) << name;
        EXPECT_GE(r.left, 0) << name;
        EXPECT_GE(r.top, 0) << name;
        EXPECT_LE(r.left + r.width, kMapWidthTwips) << name;
        EXPECT_LE(r.top + r.height, kMapHeightTwips) << name;
    };
    for (const Region& r : regioni)
        check(r.name, r.rect);
    for (const InertZone& z : inertZones)
        check(z.name, z.rect);
}

TEST(RegionTable, NamesAreUniqueExceptTheThreeMembersOfLabel50) {
    std::map<std::string_view, std::set<int>> members;
    for (const Region& r : regioni)
        EXPECT_TRUE(members[r.name].insert(r.index).second) << r.name;
    EXPECT_EQ(members["Label50"], (std::set<int>{0, 1, 2}));
    EXPECT_EQ(members.size(), 68u);
}

TEST(RegionTable, WrongTextsOfOneStateAgreeAndNameIt) {
    std::map<int, std::string_view> text;
    for (const Region& r : regioni) {
        auto [it, fresh] = text.emplace(r.state, r.wrongText);
        EXPECT_EQ(it->second, r.wrongText) << r.name;
        const StateRow* row = lookupState(r.state);
        ASSERT_NE(row, nullptr);
        EXPECT_NE(r.wrongText.find(row->name), std::string_view::npos) << r.wrongText;
    }
    EXPECT_EQ(text[10], "Questo \u00e8  il Portogallo");
    EXPECT_EQ(text[6], "Questa \u00e8 il Austria");
    EXPECT_EQ(text[19], "Questi sono i Paesi Bassi");
}
