// The flag: stars on a circle of a third of the height, each of an eighteenth of it.
#include "eu_flag.h"

#include <QPainter>
#include <QtMath>

namespace picturegen {

namespace {
constexpr double kCircleRatio = 1.0 / 3.0; // circle radius / field height
constexpr double kStarRatio = 1.0 / 18.0;  // star outer radius / field height
constexpr double kTinyStar = 1.5;          // outer radius in pixels below which a star is a dot
// Inner radius of a regular pentagram: the points' edges lie on straight lines.
const double kInnerRatio = qCos(qDegreesToRadians(72.0)) / qCos(qDegreesToRadians(36.0));
} // namespace

QPointF EuFlag::starCentre(const QRectF& field, int hour) {
    const double angle = qDegreesToRadians(30.0 * hour);
    const double radius = field.height() * kCircleRatio;
    return field.center() + QPointF(radius * qSin(angle), -radius * qCos(angle));
}

QPainterPath EuFlag::star(QPointF centre, double outerRadius) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double radius = (i % 2 == 0) ? outerRadius : outerRadius * kInnerRatio;
        const double angle = qDegreesToRadians(36.0 * i);
        const QPointF p = centre + QPointF(radius * qSin(angle), -radius * qCos(angle));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

void EuFlag::draw(QPainter& painter, const QRectF& field) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.fillRect(field, kBlue);
    painter.setBrush(kYellow);
    const double outer = field.height() * kStarRatio;
    for (int hour = 1; hour <= 12; ++hour) {
        const QPointF centre = starCentre(field, hour);
        // A star smaller than a pixel or so would blur into a grey smudge: one pixel.
        if (outer < kTinyStar)
            painter.fillRect(QRectF(qFloor(centre.x()), qFloor(centre.y()), 1, 1), kYellow);
        else
            painter.drawPath(star(centre, outer));
    }
    painter.restore();
}

} // namespace picturegen
