// The countries as the map draws them: merged, restyled, with Russia's great lakes cut out.
#pragma once

#include "country_table.h"
#include "topology.h"

#include <QPainterPath>
#include <functional>

struct Country {
    QString name;
    const CountryStyle* style;
    MultiPolygon polygons; // degrees
};

class Atlas {
public:
    using Placement = std::function<QPointF(QPointF lonLat)>;

    void build(const Topology& topology);

    const QList<Country>& countries() const { return m_countries; }

    // Outlines of a country, one path per polygon (a hole may hold a merged enclave),
    // or of the lakes, placed by the given projection.
    QList<QPainterPath> paths(int country, const Placement& place) const;
    QList<QPainterPath> lakes(const Placement& place) const;

private:
    int countryIndex(const QString& name);

    QList<Country> m_countries;
    MultiPolygon m_lakes;
};
