// The hit test over the region table.
#include "region_table.h"

namespace brindora {

Hit hitTest(int x, int y) {
    Hit hit;
    if (x < 0 || y < 0 || x >= kMapWidthTwips || y >= kMapHeightTwips)
        return hit;
    // The lowest rank holding the point is in front; regions and zones share one order.
    int best = 0;
    for (const Region& r : regioni) {
        if (r.rect.holds(x, y) && (best == 0 || r.rank < best)) {
            best = r.rank;
            hit.region = &r;
        }
    }
    for (const InertZone& z : inertZones) {
        if (z.rect.holds(x, y) && (best == 0 || z.rank < best)) {
            best = z.rank;
            hit.region = nullptr;
            hit.zone = &z;
        }
    }
    return hit;
}

MapPointer pointerAt(int x, int y) {
    return hitTest(x, y).empty() ? MapPointer::Map : MapPointer::Region;
}

} // namespace brindora
