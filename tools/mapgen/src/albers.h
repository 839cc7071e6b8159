// Albers equal-area conic projection on the sphere, scaled to map pixels.
#pragma once

#include <QPointF>

class Albers {
public:
    struct Parameters {
        double parallel1, parallel2; // standard parallels, degrees
        double centralMeridian, originLatitude;
        double scale;            // pixels per Earth radius
        double originX, originY; // pixel position of the projection origin
    };

    explicit Albers(const Parameters& p);

    // Longitude/latitude in degrees to continuous pixel coordinates (y down).
    QPointF project(QPointF lonLat) const;

private:
    Parameters m_p;
    double m_n, m_c, m_rho0;
};
