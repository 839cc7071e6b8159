// The stops' centres come from the region table alone, so the rule is the same on any map.
#include "keyboard_stops.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <tuple>

namespace brindora {

namespace {

Stop centreOf(StateNumber state) {
    std::int64_t sumX = 0, sumY = 0, count = 0;
    int left = kMapWidthTwips, top = kMapHeightTwips, right = 0, bottom = 0;
    for (const Region& r : regioni)
        if (r.state == state) {
            left = std::min(left, r.rect.left);
            top = std::min(top, r.rect.top);
            right = std::max(right, r.rect.left + r.rect.width);
            bottom = std::max(bottom, r.rect.top + r.rect.height);
        }
    for (int y = top / kTwipsPerPixel; y * kTwipsPerPixel < bottom; ++y)
        for (int x = left / kTwipsPerPixel; x * kTwipsPerPixel < right; ++x)
            for (const Region& r : regioni)
                if (r.state == state && r.rect.holds(x * kTwipsPerPixel, y * kTwipsPerPixel)) {
                    sumX += x;
                    sumY += y;
                    ++count;
                    break;
                }
    // The middle of the average pixel, rounded to whole twips.
    const auto twips = [count](std::int64_t sum) {
        return int((sum * 2 + count) * kTwipsPerPixel / (2 * count));
    };
    return {state, twips(sumX), twips(sumY)};
}

std::array<Stop, kStopCount> makeStops() {
    std::array<Stop, kStopCount> out{};
    int n = 0;
    for (StateNumber s = 1; n < kStopCount; ++s)
        if (firstRegionOf(s) != nullptr)
            out[n++] = centreOf(s);
    return out;
}

} // namespace

const std::array<Stop, kStopCount>& stops() {
    static const std::array<Stop, kStopCount> table = makeStops();
    return table;
}

const Stop* stopOf(StateNumber state) {
    for (const Stop& s : stops())
        if (s.state == state)
            return &s;
    return nullptr;
}

const Region* firstRegionOf(StateNumber state) {
    for (const Region& r : regioni)
        if (r.state == state)
            return &r;
    return nullptr;
}

StateNumber arrowTarget(StateNumber from, Arrow arrow) {
    const Stop* origin = stopOf(from);
    if (origin == nullptr)
        return from;
    // Turn the map so that the arrow points along +along; across is the distance from its line.
    const auto turned = [&](const Stop& s) {
        const int dx = s.x - origin->x, dy = s.y - origin->y;
        switch (arrow) {
        case Arrow::Right:
            return std::make_pair(dx, dy);
        case Arrow::Left:
            return std::make_pair(-dx, dy);
        case Arrow::Down:
            return std::make_pair(dy, dx);
        case Arrow::Up:
            break;
        }
        return std::make_pair(-dy, dx);
    };
    const Stop* best = nullptr;
    std::tuple<std::int64_t, int, StateNumber> bestKey{};
    for (const Stop& s : stops()) {
        const auto [along, across] = turned(s);
        if (s.state == from || along <= 0 || std::abs(across) > along)
            continue;
        const std::tuple<std::int64_t, int, StateNumber> key{
            std::int64_t(along) * along + std::int64_t(across) * across, std::abs(across),
            s.state};
        if (best == nullptr || key < bestKey) {
            best = &s;
            bestKey = key;
        }
    }
    return best ? best->state : from;
}

const std::array<StateNumber, kStopCount>& readingOrder() {
    static const std::array<StateNumber, kStopCount> order = [] {
        std::array<Stop, kStopCount> sorted = stops();
        std::sort(sorted.begin(), sorted.end(), [](const Stop& a, const Stop& b) {
            return std::tie(a.y, a.x, a.state) < std::tie(b.y, b.x, b.state);
        });
        std::array<StateNumber, kStopCount> out{};
        for (int i = 0; i < kStopCount; ++i)
            out[i] = sorted[i].state;
        return out;
    }();
    return order;
}

StateNumber stepInReadingOrder(StateNumber from, int steps) {
    const auto& order = readingOrder();
    const auto at = std::find(order.begin(), order.end(), from);
    if (at == order.end())
        return order.front();
    const int index = int(at - order.begin());
    return order[((index + steps) % kStopCount + kStopCount) % kStopCount];
}

} // namespace brindora
