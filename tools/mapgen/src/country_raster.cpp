// Which country lies under each pixel: the raster the picture and the mask are made from.
#include "country_raster.h"

#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

QRgb indexValue(int index) {
    return 0xff000000u | unsigned(index);
}

} // namespace

CountryRaster::CountryRaster(const Atlas& atlas, QSize size, const Atlas::Placement& place,
                             double touch)
    : m_image(size, QImage::Format_RGB32) {
    m_image.fill(indexValue(0));
    const QList<Country>& countries = atlas.countries();
    {
        QPainter painter(&m_image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        for (int k = 0; k < countries.size(); ++k) {
            if (countries[k].style->keepTouched)
                continue;
            const QBrush brush{QColor::fromRgb(indexValue(k + 1))};
            for (const QPainterPath& path : atlas.paths(k, place))
                painter.fillPath(path, brush);
        }
        for (const QPainterPath& path : atlas.lakes(place))
            painter.fillPath(path, QColor::fromRgb(indexValue(0)));
    }
    for (int k = 0; k < countries.size(); ++k) {
        if (!countries[k].style->keepTouched)
            continue;
        for (const QPainterPath& path : atlas.paths(k, place))
            paintTouched(path, indexValue(k + 1), touch);
    }
}

void CountryRaster::paintTouched(const QPainterPath& path, QRgb value, double touch) {
    const QRectF box = path.boundingRect().adjusted(-touch, -touch, touch, touch);
    const int x0 = std::max(0, int(std::floor(box.left())));
    const int y0 = std::max(0, int(std::floor(box.top())));
    const int x1 = std::min(width() - 1, int(std::ceil(box.right())));
    const int y1 = std::min(height() - 1, int(std::ceil(box.bottom())));
    const double half = touch / 2;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (path.intersects(QRectF(x + 0.5 - half, y + 0.5 - half, touch, touch)))
                m_image.setPixel(x, y, value);
}

QImage CountryRaster::countryPicture(const Atlas& atlas) const {
    std::vector<bool> shown(atlas.countries().size() + 1, false);
    for (int y = 0; y < height(); ++y)
        for (int x = 0; x < width(); ++x)
            shown[at(x, y)] = true;
    std::vector<int> value(shown.size(), 0);
    QStringList names;
    for (int k = 1; k < int(shown.size()); ++k)
        if (shown[k]) {
            names << atlas.countries()[k - 1].name;
            value[k] = int(names.size());
        }
    QImage out(m_image.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < height(); ++y) {
        uchar* line = out.scanLine(y);
        for (int x = 0; x < width(); ++x)
            line[x] = uchar(value[at(x, y)]);
    }
    out.setText("Countries", names.join('\n'));
    return out;
}
