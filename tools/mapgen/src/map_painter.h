// Paints the countries: an index raster, then the state mask and the coloured picture.
#pragma once

#include "atlas.h"

#include <QImage>

class MapPainter {
public:
    static constexpr QRgb kSea = 0xff80ffff;
    static constexpr QRgb kCoast = 0xff000000;

    explicit MapPainter(const Atlas& atlas) : m_atlas(atlas) {}

    // One value per pixel: 0 for sea, k + 1 for country k. A country that keeps every
    // pixel it touches claims each pixel whose square of side `touch`, centred on the
    // pixel's centre, meets it. No anti-aliasing: a pixel is filled when its centre is inside.
    QImage labels(QSize size, const Atlas::Placement& place, double touch) const;

    static int label(const QImage& labels, int x, int y) {
        return int(labels.pixel(x, y) & 0xffffff);
    }

    // The catalogue number under each pixel, kOtherLand elsewhere on land, 0 at sea.
    QImage mask(const QImage& labels) const;
    // Colours, gradients and the dark coastline drawn on the sea side of the shore: every
    // sea pixel whose centre lies within `coast` pixels of a land pixel's centre.
    QImage picture(const QImage& labels, double coast = 1.0) const;

private:
    void paintTouched(QImage& image, const QPainterPath& path, QRgb value, double touch) const;

    const Atlas& m_atlas;
};
