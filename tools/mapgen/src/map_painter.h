// Paints the map from the country raster: the state mask and the coloured picture.
#pragma once

#include "atlas.h"
#include "country_raster.h"

#include <QImage>

class MapPainter {
public:
    static constexpr QRgb kSea = 0xff80ffff;
    static constexpr QRgb kCoast = 0xff000000;

    explicit MapPainter(const Atlas& atlas) : m_atlas(atlas) {}

    // The catalogue number under each pixel, kOtherLand elsewhere on land, 0 at sea.
    QImage mask(const CountryRaster& raster) const;
    // Colours, gradients and the dark coastline drawn on the sea side of the shore: every
    // sea pixel whose centre lies within `coast` pixels of a land pixel's centre.
    QImage picture(const CountryRaster& raster, double coast = 1.0) const;

private:
    const Atlas& m_atlas;
};
