// The plain projection rasterised finely, as fit codes: what each picture point shows
// before the warp.
#pragma once

#include "albers.h"
#include "atlas.h"

#include <QSize>
#include <vector>

class FineRaster {
public:
    FineRaster(const Atlas& atlas, const Albers& albers, QSize picture);

    // Fit code (state, Iceland, other land or 0 for sea) at a point in picture pixels.
    int at(QPointF point) const;

private:
    int m_width = 0, m_height = 0;
    std::vector<unsigned char> m_codes;
};
