// The draw over many requests: uniform over the 27 drawable states, never 12 or 27.
#include "case_name.h"
#include "game.h"
#include "recording_window.h"

#include <gtest/gtest.h>

#include <array>

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

std::array<int, 30> drawMany(RandomSource& random, int draws) {
    SilentWindow window;
    Game game(window, random, "/x");
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
