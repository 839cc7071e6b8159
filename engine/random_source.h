// The draw's random numbers: reseeded from the clock, uniform in [0, 1).
#pragma once

#include <random>

namespace brindora {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseedFromClock() = 0;
    virtual double next() = 0; // uniform, 0 <= r < 1
};

// The game's own generator. The seed is taken from the clock on each reseed.
class ClockRandom : public RandomSource {
public:
    void reseedFromClock() override;
    double next() override;

protected:
    void seed(unsigned long long value) { m_engine.seed(value); }

private:
    std::mt19937_64 m_engine{0};
};

// A ClockRandom whose "clock" is a fixed seed, for repeatable runs.
class SeededRandom : public ClockRandom {
public:
    explicit SeededRandom(unsigned long long seedValue) : m_seed(seedValue) { seed(seedValue); }
    void reseedFromClock() override { seed(m_seed++); }

private:
    unsigned long long m_seed;
};

} // namespace brindora
