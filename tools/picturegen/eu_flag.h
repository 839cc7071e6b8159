// The flag of the European Union drawn to its official construction.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

class QPainter;

namespace picturegen {

class EuFlag {
public:
    static constexpr QColor kBlue{0, 51, 153};
    static constexpr QColor kYellow{255, 204, 0};

    // The centre of star `hour` (1..12) of a flag filling `field`.
    static QPointF starCentre(const QRectF& field, int hour);
    // A five-pointed star pointing up with the given outer radius.
    static QPainterPath star(QPointF centre, double outerRadius);
    // Blue field and twelve stars; the circle is centred in `field`.
    static void draw(QPainter& painter, const QRectF& field);
};

} // namespace picturegen
