// Decodes a TopoJSON file (quantized arcs) into country outlines in degrees.
#pragma once

#include <QList>
#include <QPointF>
#include <QString>

using Ring = QList<QPointF>; // closed, first point repeated at the end
using Polygon = QList<Ring>; // outer ring, then holes
using MultiPolygon = QList<Polygon>;

struct Feature {
    QString name;
    MultiPolygon polygons; // x = longitude, y = latitude
};

class Topology {
public:
    // Reads the named geometry collection; false with a message on failure.
    bool load(const QString& path, const QString& object, QString* error);

    const QList<Feature>& features() const { return m_features; }

private:
    Ring ring(const QList<int>& arcIndices) const;

    QList<Ring> m_arcs;
    QList<Feature> m_features;
};
