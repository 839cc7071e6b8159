// Which country lies under each pixel: the raster the picture and the mask are made from.
#pragma once

#include "atlas.h"

#include <QImage>

class CountryRaster {
public:
    // Fills the atlas's countries at `size`, placed by `place`, without anti-aliasing: a
    // pixel is a country's when its centre is inside. A country that keeps every pixel it
    // touches claims each pixel whose square of side `touch`, centred on the pixel's
    // centre, meets it.
    CountryRaster(const Atlas& atlas, QSize size, const Atlas::Placement& place, double touch);

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    // 0 for sea, k + 1 for the atlas's country k.
    int at(int x, int y) const {
        return int(reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x] & 0xffffff);
    }
    // An 8-bit grey picture: 0 at sea, then 1, 2... for the countries it shows, in the
    // atlas's order; their names, one a line in that order, in the PNG text "Countries".
    QImage countryPicture(const Atlas& atlas) const;

private:
    void paintTouched(const QPainterPath& path, QRgb value, double touch);

    QImage m_image; // the index in the low 24 bits of each pixel
};
