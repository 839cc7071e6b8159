// Pictures and checks for looking at the result: enlargement with the region rectangles.
#pragma once

#include "atlas.h"
#include "country_raster.h"

#include <QImage>
#include <QStringList>

class DebugView {
public:
    // The picture scaled up by a whole factor, with every region rectangle outlined
    // (factor 1 draws no rectangles).
    static QImage enlarged(const QImage& picture, int factor);
    // Pairs of touching countries whose colours are hard to tell apart.
    static QStringList neighbourClashes(const Atlas& atlas, const CountryRaster& raster);
    // Countries on the picture that the style table does not name.
    static QStringList unstyled(const Atlas& atlas, const CountryRaster& raster);
};
