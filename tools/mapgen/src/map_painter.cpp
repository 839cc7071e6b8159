// Paints the countries: an index raster, then the state mask and the coloured picture.
#include "map_painter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

QRgb labelValue(int label) {
    return 0xff000000u | unsigned(label);
}

QRgb mix(QRgb a, QRgb b, double t) {
    auto channel = [t](int u, int v) { return int(std::lround(u + (v - u) * t)); };
    return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)),
                channel(qBlue(a), qBlue(b)));
}

// Whether a land pixel's centre lies within `radius` of pixel (x, y)'s centre.
bool nearLand(const QImage& labels, int x, int y, double radius) {
    const int reach = int(std::floor(radius));
    for (int dy = -reach; dy <= reach; ++dy) {
        const int v = y + dy;
        if (v < 0 || v >= labels.height())
            continue;
        for (int dx = -reach; dx <= reach; ++dx) {
            const int u = x + dx;
            if (u >= 0 && u < labels.width() && dx * dx + dy * dy <= radius * radius &&
                MapPainter::label(labels, u, v))
                return true;
        }
    }
    return false;
}

} // namespace

QImage MapPainter::labels(QSize size, const Atlas::Placement& place, double touch) const {
    QImage image(size, QImage::Format_RGB32);
    image.fill(labelValue(0));
    const QList<Country>& countries = m_atlas.countries();
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        for (int k = 0; k < countries.size(); ++k) {
            if (countries[k].style->keepTouched)
                continue;
            const QBrush brush{QColor::fromRgb(labelValue(k + 1))};
            for (const QPainterPath& path : m_atlas.paths(k, place))
                painter.fillPath(path, brush);
        }
        for (const QPainterPath& path : m_atlas.lakes(place))
            painter.fillPath(path, QColor::fromRgb(labelValue(0)));
    }
    for (int k = 0; k < countries.size(); ++k) {
        if (!countries[k].style->keepTouched)
            continue;
        for (const QPainterPath& path : m_atlas.paths(k, place))
            paintTouched(image, path, labelValue(k + 1), touch);
    }
    return image;
}

void MapPainter::paintTouched(QImage& image, const QPainterPath& path, QRgb value,
                              double touch) const {
    const QRectF box = path.boundingRect().adjusted(-touch, -touch, touch, touch);
    const int x0 = std::max(0, int(std::floor(box.left())));
    const int y0 = std::max(0, int(std::floor(box.top())));
    const int x1 = std::min(image.width() - 1, int(std::ceil(box.right())));
    const int y1 = std::min(image.height() - 1, int(std::ceil(box.bottom())));
    const double half = touch / 2;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (path.intersects(QRectF(x + 0.5 - half, y + 0.5 - half, touch, touch)))
                image.setPixel(x, y, value);
}

QImage MapPainter::mask(const QImage& labels) const {
    QImage out(labels.size(), QImage::Format_Grayscale8);
    const QList<Country>& countries = m_atlas.countries();
    for (int y = 0; y < labels.height(); ++y) {
        uchar* line = out.scanLine(y);
        for (int x = 0; x < labels.width(); ++x) {
            const int k = label(labels, x, y);
            const int state = k ? countries[k - 1].style->state : 0;
            line[x] = uchar(k == 0 ? 0 : state ? state : kOtherLand);
        }
    }
    return out;
}

QImage MapPainter::picture(const QImage& labels, double coast) const {
    const int w = labels.width(), h = labels.height();
    const QList<Country>& countries = m_atlas.countries();
    // Gradients run over each country's extent on this picture.
    QList<QRect> extent(countries.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (const int k = label(labels, x, y))
                extent[k - 1] |= QRect(x, y, 1, 1);

    QImage out(labels.size(), QImage::Format_RGB888);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int k = label(labels, x, y);
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
            } else if (nearLand(labels, x, y, coast)) {
                colour = kCoast;
            }
            out.setPixel(x, y, colour);
        }
    }
    return out;
}
