// Measures a state mask against the game's region table: how pure each rectangle is and
// how much of each state a click would judge as another state.
#pragma once

#include "catalogo.h"
#include "region_table.h"

#include <QImage>
#include <array>
#include <string>
#include <vector>

namespace brindora {

// Mask values: 0 sea, 1..29 a state of the catalogue, kOtherLand any other land.
inline constexpr int kOtherLand = 255;

struct RegionPurity {
    const Region* region;
    int land = 0;                  // land pixels inside the rectangle
    int own = 0;                   // of which belong to the region's state
    std::array<int, 256> others{}; // the rest, by mask value
    double purity() const { return land ? double(own) / land : 0.0; }
};

struct StateClicks {
    int land = 0;        // pixels of the state on the map
    int judgedOther = 0; // of which a click is judged as a different state
    int judgedNone = 0;  // of which a click meets no region or an inert zone
    double otherShare() const { return land ? double(judgedOther) / land : 0.0; }
};

class MapReport {
public:
    explicit MapReport(const QImage& mask);

    int stateAt(int x, int y) const { return m_mask.constScanLine(y)[x]; }
    const std::vector<RegionPurity>& regions() const { return m_regions; }
    const StateClicks& clicks(StateNumber state) const { return m_clicks.at(state); }
    double meanPurity() const;
    const RegionPurity& worst() const;
    // The state a click on pixel (x, y) is judged as, 0 when nothing judges it.
    static int judgedState(int x, int y);

    std::string text() const;

private:
    QImage m_mask;
    std::vector<RegionPurity> m_regions;
    std::array<StateClicks, kStateCount + 1> m_clicks{};
};

} // namespace brindora
