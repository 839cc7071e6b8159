// The draw over many requests: uniform over the 27 drawable states, never 12 or 27; restricted
// to the teacher's choice, uniform over the states chosen and never another.
#include "case_name.h"
#include "game.h"
#include "recording_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

using namespace brindora;

namespace {

// A window that does nothing, so a long run stays cheap.
class SilentWindow : public WindowPort {
public:
    void setLabel(LabelId, const std::string&) override {}
    void setCommand2Visible(bool) override {}
    void showBox(const std::string&, const std::string&, BoxIcon) override {}
    void suona(const std::string&) override {}
    void quit() override {}
};

std::array<int, 30> drawMany(RandomSource& random, int draws,
                             const std::vector<StateNumber>& chosen = {}) {
    SilentWindow window;
    Game game(window, random, "/x");
    game.restrictDraw(chosen);
    std::array<int, 30> counts{};
    for (int i = 0; i < draws; ++i) {
        game.casof();
        counts.at(game.stato())++;
    }
    return counts;
}

double chiSquare(const std::array<int, 30>& counts, int draws) {
    const double expected = draws / 27.0;
    double chi = 0;
    for (int s = 1; s <= 29; ++s) {
        if (s == 12 || s == 27)
            continue;
        chi += (counts[s] - expected) * (counts[s] - expected) / expected;
    }
    return chi;
}

// 26 degrees of freedom: P(chi2 > 54.05) = 0.001.
constexpr double kChiBound = 54.05;
constexpr int kDraws = 270000;

struct Seed : brindora::testing::NamedCase {
    unsigned long long value;
};

class SeededDraw : public ::testing::TestWithParam<Seed> {};

TEST_P(SeededDraw, UniformOverTheDrawableStates) {
    SeededRandom random(GetParam().value);
    const auto counts = drawMany(random, kDraws);
    EXPECT_EQ(counts[0], 0);
    EXPECT_EQ(counts[12], 0);
    EXPECT_EQ(counts[27], 0);
    EXPECT_LT(chiSquare(counts, kDraws), kChiBound);
}
INSTANTIATE_TEST_SUITE_P(Seeds, SeededDraw,
                         ::testing::Values(Seed{"seed 1", 1}, Seed{"seed 42", 42},
                                           Seed{"seed 20261209", 20261209}),
                         brindora::testing::ByName());

// The bound is tight enough to catch a draw that is only slightly off: one that
// maps r onto 28 states (never 29) or favours the low states fails it.
class BiasedRandom : public SeededRandom {
public:
    using SeededRandom::SeededRandom;
    double next() override {
        const double r = SeededRandom::next();
        return r * r < 0.02 ? 0.0 : r; // a 1-in-70 excess of state 1
    }
};

TEST(Draw, ChiSquareCatchesABiasedGenerator) {
    BiasedRandom random(7);
    EXPECT_GT(chiSquare(drawMany(random, kDraws), kDraws), kChiBound);
}

double chiSquareOver(const std::array<int, 30>& counts, int draws,
                     const std::vector<StateNumber>& states) {
    const double expected = double(draws) / states.size();
    double chi = 0;
    for (const StateNumber s : states)
        chi += (counts.at(s) - expected) * (counts.at(s) - expected) / expected;
    return chi;
}

struct Choice : brindora::testing::NamedCase {
    std::vector<StateNumber> chosen;
    std::vector<StateNumber> drawn; // what may come up
    double chiBound;                // P(chi2 > bound) = 0.001 for drawn.size() - 1 degrees
};

const Choice kChoices[] = {
    {"France Italy Czechia", {8, 13, 7}, {7, 8, 13}, 13.82},
    {"the Baltic states", {16, 28, 14}, {14, 16, 28}, 13.82},
    {"Mediterranean", {26, 8, 3, 13, 25, 29, 18}, {3, 8, 13, 18, 25, 26, 29}, 22.46},
    {"Norway and Switzerland dropped", {12, 8, 27, 25}, {8, 25}, 10.83},
    {"one state", {26}, {26}, 0},
};

class RestrictedDraw : public ::testing::TestWithParam<Choice> {};

TEST_P(RestrictedDraw, OnlyTheChosenEachOfThemUniformly) {
    const Choice& c = GetParam();
    const int draws = 3000 * int(c.drawn.size());
    SeededRandom random(11);
    const auto counts = drawMany(random, draws, c.chosen);
    for (int s = 0; s <= 29; ++s) {
        const bool mayCome = std::count(c.drawn.begin(), c.drawn.end(), s) > 0;
        EXPECT_EQ(counts[s] > 0, mayCome) << "state " << s << " came up " << counts[s];
    }
    if (c.drawn.size() > 1) {
        EXPECT_LT(chiSquareOver(counts, draws, c.drawn), c.chiBound);
    }
}
INSTANTIATE_TEST_SUITE_P(Choices, RestrictedDraw, ::testing::ValuesIn(kChoices),
                         brindora::testing::ByName());

// The rest is the game as it is: a state outside the choice, drawn, is drawn again without a
// new seed, and a click on one is an error named by its region's text.
TEST(Draw, OutsideTheChoiceRedrawnAndStillAnError) {
    brindora::testing::RecordingWindow window;
    brindora::testing::ScriptedRandom random;
    random.values = {random.forState(1), random.forState(12), random.forState(8)};
    Game game(window, random, "/x");
    game.restrictDraw({8, 13});
    game.command2Click();
    EXPECT_EQ(game.stato(), 8);
    EXPECT_EQ(random.reseeds, 1);
    game.judge(1, "Questa \u00e8 la Romania");
    EXPECT_EQ(window.ofKind("box").back().a, "Questa \u00e8 la Romania");
    EXPECT_EQ(game.errori(), 1);
}

// With two states chosen, a generator that leans to one of them fails the same bound.
TEST(Draw, ChiSquareCatchesABiasOnTheChosenStates) {
    BiasedRandom random(11);
    const auto counts = drawMany(random, 6000, {1, 2});
    EXPECT_EQ(counts[1] + counts[2], 6000);
    EXPECT_GT(chiSquareOver(counts, 6000, {1, 2}), 10.83);
}

TEST(Draw, ClockReseedsDifferFromRunToRun) {
    ClockRandom a, b;
    a.reseedFromClock();
    b.reseedFromClock();
    EXPECT_NE(a.next(), b.next());
}

TEST(Draw, GeneratorStaysInsideTheUnitInterval) {
    SeededRandom random(3);
    for (int i = 0; i < 100000; ++i) {
        const double r = random.next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
}

} // namespace
