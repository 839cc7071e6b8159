// Pictures and checks for looking at the result: enlargement with the region rectangles.
#include "debug_view.h"

#include "map_painter.h"
#include "region_table.h"

#include <QPainter>
#include <cstdlib>
#include <set>

QImage DebugView::enlarged(const QImage& picture, int factor) {
    if (factor == 1)
        return picture;
    QImage out =
        picture.scaled(picture.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .convertToFormat(QImage::Format_RGB32);
    QPainter painter(&out);
    for (const brindora::Region& r : brindora::regioni) {
        painter.setPen(QPen(QColor(200, 0, 200), 1));
        const QRect box(r.rect.left / brindora::kTwipsPerPixel * factor,
                        r.rect.top / brindora::kTwipsPerPixel * factor,
                        r.rect.width / brindora::kTwipsPerPixel * factor - 1,
                        r.rect.height / brindora::kTwipsPerPixel * factor - 1);
        painter.drawRect(box);
        painter.setFont(QFont("DejaVu Sans", 7));
        painter.drawText(box.topLeft() + QPoint(2, 9), QString::number(r.state));
    }
    return out;
}

QStringList DebugView::neighbourClashes(const Atlas& atlas, const CountryRaster& raster) {
    const QImage colours = MapPainter(atlas).picture(raster);
    std::set<std::pair<int, int>> seen;
    QStringList out;
    for (int y = 0; y + 1 < raster.height(); ++y) {
        for (int x = 0; x + 1 < raster.width(); ++x) {
            const int a = raster.at(x, y);
            for (const QPoint n : {QPoint(x + 1, y), QPoint(x, y + 1)}) {
                const int b = raster.at(n.x(), n.y());
                if (!a || !b || a == b || seen.count({std::min(a, b), std::max(a, b)}))
                    continue;
                const QRgb ca = colours.pixel(x, y), cb = colours.pixel(n);
                const int distance = std::abs(qRed(ca) - qRed(cb)) +
                                     std::abs(qGreen(ca) - qGreen(cb)) +
                                     std::abs(qBlue(ca) - qBlue(cb));
                if (distance >= 60)
                    continue;
                seen.insert({std::min(a, b), std::max(a, b)});
                out << atlas.countries()[a - 1].name + " / " + atlas.countries()[b - 1].name;
            }
        }
    }
    return out;
}

QStringList DebugView::unstyled(const Atlas& atlas, const CountryRaster& raster) {
    std::set<int> shown;
    for (int y = 0; y < raster.height(); ++y)
        for (int x = 0; x < raster.width(); ++x)
            shown.insert(raster.at(x, y));
    QStringList out;
    for (int k : shown)
        if (k && atlas.countries()[k - 1].style == &CountryTable::fallback())
            out << atlas.countries()[k - 1].name;
    return out;
}
