// The map by keyboard: one stop per state that has regions, where each arrow leads, and the
// order a switch's scan steps through them.
#pragma once

#include "region_table.h"

#include <array>

namespace brindora {

// Norway and Switzerland have no region, so 27 of the 29 states are stops.
inline constexpr int kStopCount = 27;

// Where the first arrow puts the highlight: Germany, in the middle of the map, a few presses
// from every other state.
inline constexpr StateNumber kFirstStop = 9;

enum class Arrow { Left, Right, Up, Down };

struct Stop {
    StateNumber state;
    // The centre, in twips of the map: the middle of the map pixels that the state's
    // rectangles cover (each pixel once, however many rectangles hold it).
    int x, y;
};

// Every stop, by state number.
const std::array<Stop, kStopCount>& stops();
// The stop of this state, or nullptr for a state with no region (or none at all).
const Stop* stopOf(StateNumber state);
// The region a keyboard answer stands for: the state's first row in regioni. All of a
// state's regions carry the same text, so any would judge alike.
const Region* firstRegionOf(StateNumber state);

// The nearest stop whose centre lies within 45 degrees of the arrow's direction, as seen from
// the centre of `from`; `from` itself when there is none. Equal distances go to the one
// nearer the arrow's own line, then to the lower state number.
StateNumber arrowTarget(StateNumber from, Arrow arrow);

// The scan's reading order: top to bottom by centre, then left to right.
const std::array<StateNumber, kStopCount>& readingOrder();
// The stop `steps` places after `from` in the reading order, round the end to the start
// (negative steps go back). From a state that is no stop, one step gives the first.
StateNumber stepInReadingOrder(StateNumber from, int steps);

} // namespace brindora
