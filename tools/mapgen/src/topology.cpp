// Decodes a TopoJSON file (quantized arcs) into country outlines in degrees.
#include "topology.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QList<int> intList(const QJsonArray& a) {
    QList<int> out;
    out.reserve(a.size());
    for (const QJsonValue& v : a)
        out.append(v.toInt());
    return out;
}

} // namespace

bool Topology::load(const QString& path, const QString& object, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = "cannot read " + path;
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (doc.isNull()) {
        *error = path + ": " + parseError.errorString();
        return false;
    }
    const QJsonObject root = doc.object();
    const QJsonObject transform = root["transform"].toObject();
    const QJsonArray scale = transform["scale"].toArray();
    const QJsonArray translate = transform["translate"].toArray();
    if (scale.size() != 2 || translate.size() != 2) {
        *error = path + ": only quantized topologies are read";
        return false;
    }
    const double sx = scale[0].toDouble(), sy = scale[1].toDouble();
    const double tx = translate[0].toDouble(), ty = translate[1].toDouble();

    // Arc positions are deltas from the previous position, in quantized units.
    m_arcs.clear();
    for (const QJsonValue& arcValue : root["arcs"].toArray()) {
        Ring arc;
        long qx = 0, qy = 0;
        for (const QJsonValue& p : arcValue.toArray()) {
            const QJsonArray pos = p.toArray();
            qx += pos[0].toInt();
            qy += pos[1].toInt();
            arc.append(QPointF(qx * sx + tx, qy * sy + ty));
        }
        m_arcs.append(arc);
    }

    const QJsonObject collection = root["objects"].toObject()[object].toObject();
    if (collection.isEmpty()) {
        *error = path + ": no object " + object;
        return false;
    }
    m_features.clear();
    for (const QJsonValue& g : collection["geometries"].toArray()) {
        const QJsonObject geometry = g.toObject();
        Feature feature;
        feature.name = geometry["properties"].toObject()["name"].toString();
        const QString type = geometry["type"].toString();
        QJsonArray polygons = geometry["arcs"].toArray();
        if (type == "Polygon")
            polygons = QJsonArray{polygons};
        else if (type != "MultiPolygon")
            continue; // geometries without area have nothing to fill
        for (const QJsonValue& polygonValue : polygons) {
            Polygon polygon;
            for (const QJsonValue& ringValue : polygonValue.toArray())
                polygon.append(ring(intList(ringValue.toArray())));
            feature.polygons.append(polygon);
        }
        m_features.append(feature);
    }
    return true;
}

// A ring joins its arcs end to start; a negative index ~i is arc i reversed.
Ring Topology::ring(const QList<int>& arcIndices) const {
    Ring out;
    for (int index : arcIndices) {
        const bool reversed = index < 0;
        const Ring& arc = m_arcs.at(reversed ? ~index : index);
        const qsizetype n = arc.size();
        for (qsizetype k = out.isEmpty() ? 0 : 1; k < n; ++k)
            out.append(arc.at(reversed ? n - 1 - k : k));
    }
    return out;
}
