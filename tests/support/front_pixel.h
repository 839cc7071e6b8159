// Where a click reaches a region: some regions lie partly under others.
#pragma once

#include "region_table.h"

namespace brindora::testing {

struct MapPixel {
    int x = -1, y = -1; // -1, -1: the region is hidden everywhere
};

// The first map pixel, row by row, where this region is the one in front.
inline MapPixel frontPixel(const Region& r) {
    for (int y = r.rect.top / kTwipsPerPixel; y * kTwipsPerPixel < r.rect.top + r.rect.height; ++y)
        for (int x = r.rect.left / kTwipsPerPixel; x * kTwipsPerPixel < r.rect.left + r.rect.width;
             ++x)
            if (hitTest(x * kTwipsPerPixel, y * kTwipsPerPixel).region == &r)
                return {x, y};
    return {};
}

} // namespace brindora::testing
