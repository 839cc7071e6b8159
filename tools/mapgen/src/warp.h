// A smooth displacement of the map: a cubic B-spline field on a square node grid.
#pragma once

#include <QList>
#include <QPointF>
#include <QRect>
#include <QString>
#include <utility>
#include <vector>

// The field says, for each point q of the picture, which point q + pull(q) of the
// plain projection is drawn there; push() maps projection points into the picture.
class Warp {
public:
    Warp(int columns, int rows, double spacing, QPointF origin);

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    QPointF node(int i, int j) const { return m_nodes.at(j * m_columns + i); }
    void setNode(int i, int j, QPointF d) { m_nodes[j * m_columns + i] = d; }
    // The picture area a node moves (its B-spline support), in whole pixels.
    QRect reach(int i, int j) const;

    QPointF pull(QPointF q) const;
    // The nodes that move q, as (j * columns + i, weight); the weights of a move add up.
    std::vector<std::pair<int, double>> influences(QPointF q) const;
    QPointF push(QPointF p) const;

    double largestMove() const;
    // Smallest Jacobian determinant of q -> q + pull(q) over the area; > 0 means no folds.
    double smallestJacobian(const QRect& area) const;

    bool load(const QString& path, QString* error);
    bool save(const QString& path) const;

private:
    QPointF field(QPointF q, QPointF* dx, QPointF* dy) const;

    int m_columns, m_rows;
    double m_spacing;
    QPointF m_origin;
    QList<QPointF> m_nodes;
};
