// The keyboard's stops over the region table: who is a stop, where each arrow leads, and
// that arrows alone reach every stop from every other.
#include "case_name.h"
#include "catalogo.h"
#include "keyboard_stops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

using namespace brindora;
using namespace brindora::testing;

namespace {

constexpr Arrow kArrows[] = {Arrow::Left, Arrow::Right, Arrow::Up, Arrow::Down};

TEST(KeyboardStops, OneStopPerStateWithRegionsAndNoOther) {
    std::set<StateNumber> withRegions, asStops;
    for (const Region& r : regioni)
        withRegions.insert(r.state);
    for (const Stop& s : stops())
        asStops.insert(s.state);
    EXPECT_EQ(asStops, withRegions);
    EXPECT_EQ(asStops.size(), std::size_t(kStopCount));
    EXPECT_EQ(stopOf(12), nullptr); // Norway
    EXPECT_EQ(stopOf(27), nullptr); // Switzerland
    EXPECT_NE(stopOf(kFirstStop), nullptr);
    // A centre lies inside the map, and a stop's region is one of its own state's.
    for (const Stop& s : stops()) {
        EXPECT_TRUE(Rect({0, 0, kMapWidthTwips, kMapHeightTwips}).holds(s.x, s.y)) << s.state;
        ASSERT_NE(firstRegionOf(s.state), nullptr);
        EXPECT_EQ(firstRegionOf(s.state)->state, s.state);
    }
}

// Every arrow from every stop lands on a stop: never Norway, Switzerland or an inert zone.
TEST(KeyboardStops, ArrowsOnlyEverLandOnStops) {
    for (const Stop& s : stops())
        for (const Arrow a : kArrows) {
            const StateNumber to = arrowTarget(s.state, a);
            EXPECT_NE(stopOf(to), nullptr) << s.state << " -> " << to;
        }
    // From a state that is no stop, nothing moves.
    EXPECT_EQ(arrowTarget(12, Arrow::Right), 12);
    EXPECT_EQ(arrowTarget(0, Arrow::Down), 0);
}

TEST(KeyboardStops, EveryStopReachesEveryOtherByArrowsAlone) {
    for (const Stop& from : stops()) {
        std::set<StateNumber> reached{from.state};
        std::vector<StateNumber> todo{from.state};
        while (!todo.empty()) {
            const StateNumber at = todo.back();
            todo.pop_back();
            for (const Arrow a : kArrows)
                if (reached.insert(arrowTarget(at, a)).second)
                    todo.push_back(arrowTarget(at, a));
        }
        EXPECT_EQ(reached.size(), std::size_t(kStopCount))
            << lookupState(from.state)->name << " reaches only " << reached.size();
    }
}

struct Move : NamedCase {
    StateNumber from;
    Arrow arrow;
    StateNumber to; // `from` again: nothing lies that way
};

// Pairs read off the map: the nearest centre within 45 degrees of the arrow.
const Move kMoves[] = {
    {"right of France is Luxembourg, nearer than Germany", 8, Arrow::Right, 24},
    {"left of Spain is Portugal", 18, Arrow::Left, 10},
    {"right of Spain is Italy", 18, Arrow::Right, 13},
    {"up from Italy is Slovenia", 13, Arrow::Up, 29},
    {"down from Finland is Estonia", 15, Arrow::Down, 16},
    {"left of the United Kingdom is Ireland", 17, Arrow::Left, 20},
    {"down from Poland is Slovakia", 4, Arrow::Down, 21},
    {"right of Greece is Cyprus", 3, Arrow::Right, 26},
    {"down from Italy is Malta", 13, Arrow::Down, 25},
    {"up from Germany is Denmark", 9, Arrow::Up, 22},
    {"nothing left of Portugal", 10, Arrow::Left, 10},
    {"nothing above Finland", 15, Arrow::Up, 15},
    {"nothing right of Cyprus", 26, Arrow::Right, 26},
};

class ArrowMove : public ::testing::TestWithParam<Move> {};

TEST_P(ArrowMove, GoesToTheNearestStopThatWay) {
    EXPECT_EQ(arrowTarget(GetParam().from, GetParam().arrow), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Map, ArrowMove, ::testing::ValuesIn(kMoves), ByName());

// Top to bottom by centre, then left to right; the scan goes round.
TEST(KeyboardStops, ReadingOrderGoesDownTheMapAndRound) {
    const auto& order = readingOrder();
    std::set<StateNumber> seen(order.begin(), order.end());
    EXPECT_EQ(seen.size(), std::size_t(kStopCount));
    for (int i = 1; i < kStopCount; ++i) {
        const Stop *a = stopOf(order[i - 1]), *b = stopOf(order[i]);
        EXPECT_TRUE(a->y < b->y || (a->y == b->y && a->x < b->x)) << a->state << ", " << b->state;
    }
    EXPECT_EQ(order.front(), 15); // Finland's centre is the highest
    EXPECT_EQ(stepInReadingOrder(order.back(), 1), order.front());
    EXPECT_EQ(stepInReadingOrder(order.front(), -1), order.back());
    EXPECT_EQ(stepInReadingOrder(order[3], kStopCount), order[3]);
    EXPECT_EQ(stepInReadingOrder(0, 1), order.front());
}

} // namespace
