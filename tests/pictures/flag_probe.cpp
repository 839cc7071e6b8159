// Colour tests compare distances, so antialiased edges count with the nearer colour.
#include "flag_probe.h"

#include <QtMath>
#include <vector>

namespace {
constexpr QRgb kBlue = 0xff003399, kYellow = 0xffffcc00;

int distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}
} // namespace

bool FlagProbe::isYellow(QRgb c) {
    return distance(c, kYellow) < distance(c, kBlue);
}
bool FlagProbe::isBlue(QRgb c) {
    return distance(c, kBlue) < distance(c, kYellow);
}
bool FlagProbe::isGreen(QRgb c) {
    return qGreen(c) >= qRed(c) + 80 && qGreen(c) >= qBlue(c) + 80;
}
bool FlagProbe::isDark(QRgb c) {
    return qRed(c) + qGreen(c) + qBlue(c) < 150;
}

QRgb FlagProbe::at(const QImage& image, QPointF p) {
    return image.pixel(qFloor(p.x()), qFloor(p.y()));
}

QPointF FlagProbe::starCentre(const QRectF& field, int hour) {
    const double angle = qDegreesToRadians(30.0 * hour), radius = field.height() / 3.0;
    return field.center() + QPointF(radius * qSin(angle), -radius * qCos(angle));
}

QList<QRect> FlagProbe::flagsBetweenDividers(const QImage& image, int row) {
    QList<QRect> flags;
    int start = -1;
    for (int x = 0; x <= image.width(); ++x) {
        const bool divider = x == image.width() || isDark(image.pixel(x, row));
        if (!divider && start < 0)
            start = x;
        if (divider && start >= 0) {
            flags.append(QRect(start, 0, x - start, image.height()));
            start = -1;
        }
    }
    return flags;
}

int FlagProbe::yellowPatches(const QImage& image, const QRect& area, int minPixels) {
    std::vector<char> seen(size_t(area.width() * area.height()), 0);
    const auto index = [&area](QPoint p) {
        return size_t((p.y() - area.top()) * area.width() + p.x() - area.left());
    };
    int patches = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            if (seen[index({x, y})] || !isYellow(image.pixel(x, y)))
                continue;
            int pixels = 0;
            std::vector<QPoint> todo{{x, y}};
            seen[index({x, y})] = 1;
            while (!todo.empty()) {
                const QPoint p = todo.back();
                todo.pop_back();
                ++pixels;
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint n = p + d;
                    if (area.contains(n) && !seen[index(n)] && isYellow(image.pixel(n))) {
                        seen[index(n)] = 1;
                        todo.push_back(n);
                    }
                }
            }
            patches += pixels >= minPixels ? 1 : 0;
        }
    return patches;
}
