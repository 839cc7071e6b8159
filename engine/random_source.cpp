// The clock-seeded generator of the draw.
#include "random_source.h"

#include <chrono>

namespace brindora {

void ClockRandom::reseedFromClock() {
    // Mix a counter in: two reseeds within the clock's resolution still differ.
    static unsigned long long calls = 0;
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    seed(static_cast<unsigned long long>(ticks) ^ (++calls * 0x9E3779B97F4A7C15ull));
}

double ClockRandom::next() {
    // generate_canonical may return 1.0 through rounding on some libraries; keep r < 1.
    double r = std::generate_canonical<double, 53>(m_engine);
    return r < 1.0 ? r : 0.0;
}

} // namespace brindora
