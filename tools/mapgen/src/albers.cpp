// Albers equal-area conic projection on the sphere, scaled to map pixels.
#include "albers.h"

#include <cmath>

namespace {
constexpr double kDegree = 3.14159265358979323846 / 180.0;
}

Albers::Albers(const Parameters& p) : m_p(p) {
    const double s1 = std::sin(p.parallel1 * kDegree);
    const double s2 = std::sin(p.parallel2 * kDegree);
    m_n = (s1 + s2) / 2;
    const double c1 = std::cos(p.parallel1 * kDegree);
    m_c = c1 * c1 + 2 * m_n * s1;
    m_rho0 = std::sqrt(m_c - 2 * m_n * std::sin(p.originLatitude * kDegree)) / m_n;
}

QPointF Albers::project(QPointF lonLat) const {
    const double rho = std::sqrt(m_c - 2 * m_n * std::sin(lonLat.y() * kDegree)) / m_n;
    const double theta = m_n * (lonLat.x() - m_p.centralMeridian) * kDegree;
    const double x = rho * std::sin(theta);
    const double y = m_rho0 - rho * std::cos(theta);
    return {m_p.originX + m_p.scale * x, m_p.originY - m_p.scale * y};
}
