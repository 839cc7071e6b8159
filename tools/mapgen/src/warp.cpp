// A smooth displacement of the map: a cubic B-spline field on a square node grid.
#include "warp.h"

#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cmath>

namespace {

// Uniform cubic B-spline basis at t in [0, 1) and its derivative.
void basis(double t, double b[4], double d[4]) {
    const double u = 1 - t;
    b[0] = u * u * u / 6;
    b[1] = (3 * t * t * t - 6 * t * t + 4) / 6;
    b[2] = (-3 * t * t * t + 3 * t * t + 3 * t + 1) / 6;
    b[3] = t * t * t / 6;
    d[0] = -u * u / 2;
    d[1] = (9 * t * t - 12 * t) / 6;
    d[2] = (-9 * t * t + 6 * t + 3) / 6;
    d[3] = t * t / 2;
}

} // namespace

Warp::Warp(int columns, int rows, double spacing, QPointF origin)
    : m_columns(columns), m_rows(rows), m_spacing(spacing), m_origin(origin),
      m_nodes(columns * rows, QPointF(0, 0)) {}

QRect Warp::reach(int i, int j) const {
    const int x = int(std::floor(m_origin.x() + (i - 2) * m_spacing));
    const int y = int(std::floor(m_origin.y() + (j - 2) * m_spacing));
    const int size = int(std::ceil(4 * m_spacing)) + 1;
    return QRect(x, y, size, size);
}

// Nodes outside the grid stay still, which pins the field down at its rim.
QPointF Warp::field(QPointF q, QPointF* dx, QPointF* dy) const {
    const double u = (q.x() - m_origin.x()) / m_spacing;
    const double v = (q.y() - m_origin.y()) / m_spacing;
    const int i0 = int(std::floor(u)), j0 = int(std::floor(v));
    double bu[4], du[4], bv[4], dv[4];
    basis(u - i0, bu, du);
    basis(v - j0, bv, dv);
    QPointF sum(0, 0), sx(0, 0), sy(0, 0);
    for (int b = 0; b < 4; ++b) {
        const int j = j0 - 1 + b;
        if (j < 0 || j >= m_rows)
            continue;
        for (int a = 0; a < 4; ++a) {
            const int i = i0 - 1 + a;
            if (i < 0 || i >= m_columns)
                continue;
            const QPointF d = m_nodes.at(j * m_columns + i);
            sum += bu[a] * bv[b] * d;
            sx += du[a] * bv[b] * d;
            sy += bu[a] * dv[b] * d;
        }
    }
    if (dx)
        *dx = sx / m_spacing;
    if (dy)
        *dy = sy / m_spacing;
    return sum;
}

QPointF Warp::pull(QPointF q) const {
    return field(q, nullptr, nullptr);
}

std::vector<std::pair<int, double>> Warp::influences(QPointF q) const {
    const double u = (q.x() - m_origin.x()) / m_spacing;
    const double v = (q.y() - m_origin.y()) / m_spacing;
    const int i0 = int(std::floor(u)), j0 = int(std::floor(v));
    double bu[4], du[4], bv[4], dv[4];
    basis(u - i0, bu, du);
    basis(v - j0, bv, dv);
    std::vector<std::pair<int, double>> out;
    for (int b = 0; b < 4; ++b)
        for (int a = 0; a < 4; ++a) {
            const int i = i0 - 1 + a, j = j0 - 1 + b;
            if (i >= 0 && i < m_columns && j >= 0 && j < m_rows)
                out.emplace_back(j * m_columns + i, bu[a] * bv[b]);
        }
    return out;
}

// Solves q + pull(q) = p; the field is a contraction, so plain iteration converges.
QPointF Warp::push(QPointF p) const {
    QPointF q = p;
    for (int k = 0; k < 30; ++k) {
        const QPointF next = p - pull(q);
        const bool settled = std::abs(next.x() - q.x()) + std::abs(next.y() - q.y()) < 1e-9;
        q = next;
        if (settled)
            break;
    }
    return q;
}

double Warp::largestMove() const {
    double most = 0;
    for (const QPointF& d : m_nodes)
        most = std::max(most, std::hypot(d.x(), d.y()));
    return most;
}

double Warp::smallestJacobian(const QRect& area) const {
    double least = 1e9;
    for (int y = area.top(); y <= area.bottom(); y += 2) {
        for (int x = area.left(); x <= area.right(); x += 2) {
            QPointF dx, dy;
            field(QPointF(x, y), &dx, &dy);
            least = std::min(least, (1 + dx.x()) * (1 + dy.y()) - dx.y() * dy.x());
        }
    }
    return least;
}

bool Warp::load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = "cannot read " + path;
        return false;
    }
    QTextStream in(&file);
    QString word;
    int columns = 0, rows = 0;
    in >> word >> columns >> rows;
    if (word != "nodes" || columns != m_columns || rows != m_rows) {
        *error = path + ": expected a grid of " + QString::number(m_columns) + " x " +
                 QString::number(m_rows) + " nodes";
        return false;
    }
    for (QPointF& d : m_nodes) {
        double x = 0, y = 0;
        in >> x >> y;
        d = QPointF(x, y);
    }
    if (in.status() != QTextStream::Ok) {
        *error = path + ": too few node moves";
        return false;
    }
    return true;
}

bool Warp::save(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate))
        return false;
    QTextStream out(&file);
    out << "nodes " << m_columns << ' ' << m_rows << '\n';
    for (int j = 0; j < m_rows; ++j) {
        for (int i = 0; i < m_columns; ++i) {
            const QPointF d = node(i, j);
            out << QString::asprintf("%s%.3f %.3f", i ? "  " : "", d.x(), d.y());
        }
        out << '\n';
    }
    return true;
}
