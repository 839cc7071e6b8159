// The countries as the map draws them: merged, restyled, with Russia's great lakes cut out.
#include "atlas.h"

#include <QRectF>
#include <array>

namespace {

// Area the map can show, in degrees, with room to spare for the warp.
const QRectF kView(-40, 20, 125, 70);

// The source has no lakes; Ladoga and Onega, the lakes large enough to show,
// are entered here as coarse outlines (longitude, latitude).
constexpr std::array<QPointF, 18> kLadoga{{
    {31.03, 59.95},
    {30.95, 60.20},
    {30.55, 60.55},
    {30.15, 60.95},
    {29.95, 61.20},
    {30.35, 61.45},
    {30.75, 61.68},
    {31.20, 61.72},
    {31.60, 61.55},
    {31.95, 61.35},
    {32.45, 61.15},
    {32.85, 60.95},
    {32.95, 60.70},
    {32.80, 60.50},
    {32.50, 60.25},
    {32.25, 60.10},
    {31.65, 60.00},
    {31.03, 59.95},
}};
constexpr std::array<QPointF, 16> kOnega{{
    {35.45, 60.95},
    {35.00, 61.20},
    {34.60, 61.50},
    {34.35, 61.85},
    {34.30, 62.25},
    {34.40, 62.60},
    {34.45, 62.90},
    {34.85, 62.85},
    {35.15, 62.55},
    {35.50, 62.30},
    {35.90, 62.05},
    {36.20, 61.75},
    {36.45, 61.35},
    {36.40, 61.05},
    {35.95, 60.95},
    {35.45, 60.95},
}};

template <std::size_t N> Polygon lake(const std::array<QPointF, N>& points) {
    return Polygon{Ring(points.begin(), points.end())};
}

// Rings cut at the antimeridian are joined back across it, east of Asia.
void unwrap(Ring& ring) {
    bool east = false, west = false;
    for (const QPointF& p : ring) {
        east |= p.x() > 90;
        west |= p.x() < -90;
    }
    if (east && west)
        for (QPointF& p : ring)
            if (p.x() < 0)
                p.rx() += 360;
}

QRectF bounds(const Ring& ring) {
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const QPointF& p : ring) {
        x0 = std::min(x0, p.x());
        y0 = std::min(y0, p.y());
        x1 = std::max(x1, p.x());
        y1 = std::max(y1, p.y());
    }
    return QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

// Crimea is drawn as part of Ukraine.
bool inCrimea(const QRectF& box) {
    return QRectF(32, 44, 5, 2.5).contains(box);
}

QPainterPath placedPath(const Polygon& polygon, const Atlas::Placement& place) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const Ring& ring : polygon) {
        QPolygonF placed;
        placed.reserve(ring.size());
        for (const QPointF& p : ring)
            placed.append(place(p));
        path.addPolygon(placed);
        path.closeSubpath();
    }
    return path;
}

} // namespace

int Atlas::countryIndex(const QString& name) {
    for (int k = 0; k < m_countries.size(); ++k)
        if (m_countries[k].name == name)
            return k;
    const CountryStyle* style = CountryTable::style(name);
    m_countries.append(Country{name, style ? style : &CountryTable::fallback(), {}});
    return int(m_countries.size() - 1);
}

void Atlas::build(const Topology& topology) {
    m_countries.clear();
    for (const Feature& feature : topology.features()) {
        for (Polygon polygon : feature.polygons) {
            for (Ring& ring : polygon)
                unwrap(ring);
            const QRectF box = bounds(polygon.first());
            if (!box.intersects(kView))
                continue;
            QString owner = CountryTable::owner(feature.name);
            if (owner == "Russia" && inCrimea(box))
                owner = "Ukraine";
            m_countries[countryIndex(owner)].polygons.append(polygon);
        }
    }
    m_lakes = {lake(kLadoga), lake(kOnega)};
}

QList<QPainterPath> Atlas::paths(int country, const Placement& place) const {
    QList<QPainterPath> out;
    for (const Polygon& polygon : m_countries.at(country).polygons)
        out.append(placedPath(polygon, place));
    return out;
}

QList<QPainterPath> Atlas::lakes(const Placement& place) const {
    QList<QPainterPath> out;
    for (const Polygon& polygon : m_lakes)
        out.append(placedPath(polygon, place));
    return out;
}
