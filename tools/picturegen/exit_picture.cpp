// Exit picture. The outline is coarse coastline in degrees (longitude, latitude).
#include "exit_picture.h"

#include "eu_flag.h"

#include <QPainter>
#include <QtMath>

namespace picturegen {

namespace {

struct LonLat {
    double lon, lat;
};

// Mainland from Gibraltar round the Atlantic, the Baltic, Scandinavia, east to 40 E,
// the Black Sea, the Balkans and Italy, back along the Mediterranean.
constexpr LonLat kMainland[] = {
    {-5.6, 36.0}, {-9.0, 37.0}, {-8.8, 42.0}, {-9.3, 43.0}, {-8.0, 43.7}, {-1.8, 43.4},
    {-1.2, 46.0}, {-4.5, 48.4}, {-1.5, 48.7}, {0.2, 49.5},  {1.6, 50.9},  {4.0, 51.5},
    {4.8, 53.0},  {8.6, 53.9},  {8.6, 55.5},  {8.2, 56.8},  {10.5, 57.7}, {10.3, 56.2},
    {9.8, 54.8},  {11.0, 54.0}, {14.0, 54.0}, {18.5, 54.8}, {21.1, 56.5}, {24.0, 57.2},
    {23.5, 59.2}, {28.0, 59.8}, {25.0, 60.2}, {21.3, 60.8}, {21.5, 63.0}, {25.3, 65.0},
    {24.0, 65.8}, {21.0, 64.5}, {17.5, 62.5}, {18.7, 60.0}, {16.5, 57.0}, {14.5, 56.0},
    {12.8, 55.5}, {11.8, 58.0}, {10.6, 59.8}, {8.0, 58.0},  {5.3, 59.0},  {5.0, 61.5},
    {8.5, 63.5},  {12.5, 66.0}, {15.0, 68.5}, {19.0, 70.0}, {25.8, 71.1}, {31.0, 70.0},
    {33.0, 69.3}, {40.0, 67.5}, {40.0, 47.0}, {37.0, 45.5}, {33.5, 44.5}, {30.8, 46.5},
    {28.7, 44.3}, {28.0, 41.5}, {26.2, 40.4}, {24.0, 40.8}, {22.9, 40.6}, {23.5, 38.0},
    {22.5, 36.5}, {21.5, 37.0}, {21.1, 38.3}, {19.5, 40.3}, {19.4, 41.8}, {16.0, 43.5},
    {13.6, 45.1}, {12.3, 45.4}, {13.6, 43.6}, {16.2, 41.9}, {18.5, 40.1}, {16.6, 38.4},
    {15.6, 38.0}, {16.0, 39.5}, {14.3, 40.8}, {12.5, 41.7}, {10.3, 43.5}, {8.8, 44.4},
    {7.5, 43.8},  {5.0, 43.3},  {3.1, 43.1},  {3.2, 41.9},  {0.9, 41.0},  {-0.3, 39.4},
    {0.2, 38.8},  {-0.7, 37.6}, {-2.1, 36.7}, {-4.4, 36.7},
};
constexpr LonLat kBritain[] = {
    {-5.7, 50.0}, {1.4, 51.2},  {1.7, 52.7},  {0.0, 53.5},  {-1.6, 55.6},
    {-2.0, 57.6}, {-3.1, 58.6}, {-5.0, 58.6}, {-6.2, 57.5}, {-5.6, 56.0},
    {-4.9, 54.8}, {-3.0, 53.4}, {-4.7, 52.8}, {-5.2, 51.7}, {-3.0, 51.4},
};
constexpr LonLat kIreland[] = {
    {-6.0, 52.2},  {-6.1, 54.0}, {-5.7, 54.8},  {-7.3, 55.3},
    {-10.0, 54.2}, {-9.4, 53.0}, {-10.3, 51.9}, {-8.0, 51.6},
};
constexpr LonLat kSicily[] = {{12.5, 38.0}, {15.6, 38.2}, {15.1, 36.7}, {12.4, 37.6}};
constexpr LonLat kSardinia[] = {{8.2, 41.0}, {9.7, 41.0}, {9.6, 39.1}, {8.4, 39.0}};

constexpr double kMidLatitude = 52.0; // where east-west distances are true
constexpr QColor kSilhouette{160, 190, 240};
constexpr QColor kShadow{150, 150, 150};
constexpr QSizeF kFlat{300, 200};

template <size_t N> void addOutline(QPainterPath& path, const LonLat (&points)[N]) {
    const double squeeze = qCos(qDegreesToRadians(kMidLatitude));
    for (size_t i = 0; i < N; ++i) {
        const QPointF p(points[i].lon * squeeze, -points[i].lat);
        i == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    path.closeSubpath();
}

// The tilted flag's corners: the right edge recedes, so it is shorter than the left one.
const QPolygonF kQuad{{QPointF(5, 8), QPointF(98, 17), QPointF(103, 74), QPointF(9, 88)}};
constexpr QPointF kShadowOffset{6, 6};

} // namespace

QPainterPath ExitPicture::europe(const QRectF& box) {
    QPainterPath path;
    addOutline(path, kMainland);
    addOutline(path, kBritain);
    addOutline(path, kIreland);
    addOutline(path, kSicily);
    addOutline(path, kSardinia);
    const QRectF bounds = path.boundingRect();
    const double scale = qMin(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform fit;
    fit.translate(box.center().x(), box.center().y());
    fit.scale(scale, scale);
    fit.translate(-bounds.center().x(), -bounds.center().y());
    return fit.map(path);
}

QImage ExitPicture::draw() {
    QImage flat(kFlat.toSize(), QImage::Format_ARGB32);
    {
        QPainter painter(&flat);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF field(QPointF(0, 0), kFlat);
        EuFlag::draw(painter, field);
        // Inside the ring: stars lie at a third of the height, less one star radius.
        const double inner = field.height() * (1.0 / 3.0 - 1.0 / 18.0) * 0.92;
        const QRectF box(field.center() - QPointF(inner, inner), QSizeF(2 * inner, 2 * inner));
        painter.fillPath(europe(box), kSilhouette);
    }
    QImage image(113, 98, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setPen(Qt::NoPen);
    // A soft shadow: the quad drawn a few times, slightly spread and see-through.
    for (int spread = 2; spread >= 0; --spread) {
        painter.setBrush(QColor(kShadow.red(), kShadow.green(), kShadow.blue(), 90));
        QPolygonF shadow = kQuad.translated(kShadowOffset);
        const QPointF mid = shadow.boundingRect().center();
        for (QPointF& p : shadow)
            p += (p - mid) * (0.02 * spread);
        painter.drawPolygon(shadow);
    }
    QTransform tilt;
    const QPolygonF flatQuad{{QPointF(0, 0), QPointF(kFlat.width(), 0),
                              QPointF(kFlat.width(), kFlat.height()), QPointF(0, kFlat.height())}};
    QTransform::quadToQuad(flatQuad, kQuad, tilt);
    painter.setTransform(tilt);
    painter.drawImage(QPointF(0, 0), flat);
    return image;
}

} // namespace picturegen
