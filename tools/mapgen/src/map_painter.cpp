// Paints the map from the country raster: the state mask and the coloured picture.
#include "map_painter.h"

#include <algorithm>
#include <cmath>

namespace {

QRgb mix(QRgb a, QRgb b, double t) {
    auto channel = [t](int u, int v) { return int(std::lround(u + (v - u) * t)); };
    return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)),
                channel(qBlue(a), qBlue(b)));
}

// Whether a land pixel's centre lies within `radius` of pixel (x, y)'s centre.
bool nearLand(const CountryRaster& raster, int x, int y, double radius) {
    const int reach = int(std::floor(radius));
    for (int dy = -reach; dy <= reach; ++dy) {
        const int v = y + dy;
        if (v < 0 || v >= raster.height())
            continue;
        for (int dx = -reach; dx <= reach; ++dx) {
            const int u = x + dx;
            if (u >= 0 && u < raster.width() && dx * dx + dy * dy <= radius * radius &&
                raster.at(u, v))
                return true;
        }
    }
    return false;
}

} // namespace

QImage MapPainter::mask(const CountryRaster& raster) const {
    QImage out(raster.width(), raster.height(), QImage::Format_Grayscale8);
    const QList<Country>& countries = m_atlas.countries();
    for (int y = 0; y < raster.height(); ++y) {
        uchar* line = out.scanLine(y);
        for (int x = 0; x < raster.width(); ++x) {
            const int k = raster.at(x, y);
            const int state = k ? countries[k - 1].style->state : 0;
            line[x] = uchar(k == 0 ? 0 : state ? state : kOtherLand);
        }
    }
    return out;
}

QImage MapPainter::picture(const CountryRaster& raster, double coast) const {
    const int w = raster.width(), h = raster.height();
    const QList<Country>& countries = m_atlas.countries();
    // Gradients run over each country's extent on this picture.
    QList<QRect> extent(countries.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (const int k = raster.at(x, y))
                extent[k - 1] |= QRect(x, y, 1, 1);

    QImage out(raster.width(), raster.height(), QImage::Format_RGB888);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int k = raster.at(x, y);
            QRgb colour = kSea;
            if (k) {
                const CountryStyle& s = *countries[k - 1].style;
                const QRect& e = extent[k - 1];
                if (s.shade == Shade::Flat)
                    colour = s.top;
                else if (s.shade == Shade::Vertical)
                    colour =
                        mix(s.top, s.bottom, double(y - e.top()) / std::max(1, e.height() - 1));
                else
                    colour =
                        mix(s.top, s.bottom, double(x - e.left()) / std::max(1, w - 1 - e.left()));
            } else if (nearLand(raster, x, y, coast)) {
                colour = kCoast;
            }
            out.setPixel(x, y, colour);
        }
    }
    return out;
}
