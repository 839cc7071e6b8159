// The countries as the map draws them: merged, restyled, with Russia's great lakes cut out.
#include "atlas.h"

#include <QRectF>
#include <array>

namespace {

// Area the map can show, in degrees, with room to spare for the warp.
const QRectF kView(-40, 20, 125, 70);

// The source has no lakes; Ladoga and Onega, the lakes large enough to show,
// are entered here as coarse outlines (longitude, latitude).
constexpr std::array<QPointF, 23> kLadoga{{
    {31.03, 59.95}, {31.07, 60.12}, {30.90, 60.30}, {30.65, 60.55}, {30.35, 60.85}, {30.13, 61.03},
    {30.05, 61.25}, {30.20, 61.52}, {30.55, 61.68}, {30.75, 61.72}, {31.20, 61.67}, {31.50, 61.57},
    {31.85, 61.37}, {32.40, 61.17}, {32.70, 60.90}, {32.95, 60.60}, {32.85, 60.45}, {32.55, 60.35},
    {32.30, 60.11}, {31.90, 60.03}, {31.50, 59.98}, {31.20, 59.93}, {31.03, 59.95},
}};
constexpr std::array<QPointF, 18> kOnega{{
    {35.45, 61.00},
    {35.00, 61.40},
    {34.60, 61.65},
    {34.40, 61.80},
    {34.30, 62.10},
    {34.25, 62.35},
    {34.40, 62.65},
    {34.45, 62.90},
    {34.85, 62.85},
    {35.10, 62.60},
    {35.40, 62.45},
    {35.75, 62.20},
    {36.05, 61.90},
    {36.35, 61.55},
    {36.50, 61.25},
    {36.45, 61.05},
    {36.00, 60.95},
    {35.45, 61.00},
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
