// mapgen: draws the map of Europe and its state mask from Natural Earth's countries.
// Usage: mapgen COUNTRIES_JSON WARP_TXT MAP_PNG MASK_PNG [--fit] [--countries PNG]
//        [--vision PNG] [--plain PNG] [--debug PNG]
#include "albers.h"
#include "atlas.h"
#include "country_raster.h"
#include "debug_view.h"
#include "map_painter.h"
#include "topology.h"
#include "vision_view.h"
#include "warp.h"
#include "warp_fitter.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImageWriter>
#include <QStringList>

namespace {

constexpr QSize kPicture(619, 539);
// Chosen to fit the region table on this data (assets/README.md, "Map").
constexpr Albers::Parameters kProjection{39.8, 66.8, 18.58, 50.0, 835.5, 314.77, 319.62};

// The sharper copies for screens of a higher device pixel ratio, drawn from the same
// projection, warp and colours; their coastline is this many of their own pixels wide.
struct Sharper {
    int scale;
    double coast;
};
constexpr Sharper kSharper[] = {{2, 1.5}, {3, 2.25}, {4, 3.0}};

// Rounds of random kicks after the first descent; more rounds fit slightly better, slower.
constexpr int kKickRounds = 200;

Warp emptyWarp() {
    return Warp(18, 16, 40.0, QPointF(-40, -40));
}

bool save(const QImage& image, const QString& path) {
    QImageWriter writer(path, "png");
    if (writer.write(image))
        return true;
    qCritical().noquote() << "cannot write" << path << ":" << writer.errorString();
    return false;
}

// "europe_map.png" at scale 2 is "europe_map@2x.png", the name Qt looks for.
QString scaledPath(const QString& path, int scale) {
    const int dot = int(path.lastIndexOf('.'));
    return path.left(dot) + QString("@%1x").arg(scale) + path.mid(dot);
}

int fail(const QString& message) {
    qCritical().noquote() << message;
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool fit = args.removeAll("--fit") > 0;
    auto option = [&args](const QString& name) {
        const int at = int(args.indexOf(name));
        if (at < 0 || at + 1 >= args.size())
            return QString();
        const QString value = args.at(at + 1);
        args.remove(at, 2);
        return value;
    };
    const QString plainPath = option("--plain"), debugPath = option("--debug");
    const QString countriesPath = option("--countries"), visionPath = option("--vision");
    if (args.size() != 4)
        return fail("usage: mapgen COUNTRIES_JSON WARP_TXT MAP_PNG MASK_PNG [--fit] "
                    "[--countries PNG] [--vision PNG] [--plain PNG] [--debug PNG]");

    QString error;
    Topology topology;
    if (!topology.load(args[0], "countries", &error))
        return fail(error);
    Atlas atlas;
    atlas.build(topology);
    const Albers albers(kProjection);

    Warp warp = emptyWarp();
    if (fit) {
        QElapsedTimer timer;
        timer.start();
        WarpFitter(atlas, albers, kPicture).fit(warp, kKickRounds);
        qInfo().noquote() << "fit took" << timer.elapsed() / 1000.0 << "s";
        if (!warp.save(args[1]))
            return fail("cannot write " + args[1]);
    } else if (!warp.load(args[1], &error)) {
        return fail(error);
    }
    const double jacobian = warp.smallestJacobian(QRect(QPoint(0, 0), kPicture));
    if (warp.largestMove() > WarpFitter::kLargestMove + 1e-9 || jacobian <= 0)
        return fail("the warp moves too far or folds the map");
    qInfo().noquote() << QString::asprintf("warp: largest move %.2f px, smallest Jacobian %.3f",
                                           warp.largestMove(), jacobian);

    const MapPainter painter(atlas);
    const CountryRaster raster(
        atlas, kPicture, [&](QPointF p) { return warp.push(albers.project(p)); }, 1.0);
    if (!save(painter.picture(raster), args[2]) || !save(painter.mask(raster), args[3]))
        return 1;
    if (!countriesPath.isEmpty() && !save(raster.countryPicture(atlas), countriesPath))
        return 1;
    if (!visionPath.isEmpty() && !save(VisionView::sideBySide(painter.picture(raster)), visionPath))
        return 1;
    for (const Sharper& sharper : kSharper) {
        const int k = sharper.scale;
        // A small state claims what lies within half a 1x pixel of it, as on the 1x map.
        const CountryRaster fine(
            atlas, kPicture * k, [&](QPointF p) { return warp.push(albers.project(p)) * k; }, k);
        if (!save(painter.picture(fine, sharper.coast), scaledPath(args[2], k)) ||
            !save(painter.mask(fine), scaledPath(args[3], k)))
            return 1;
    }
    if (!plainPath.isEmpty()) {
        const CountryRaster plain(
            atlas, kPicture, [&](QPointF p) { return albers.project(p); }, 1.0);
        if (!save(DebugView::enlarged(painter.picture(plain), 1), plainPath))
            return 1;
    }
    if (!debugPath.isEmpty() && !save(DebugView::enlarged(painter.picture(raster), 3), debugPath))
        return 1;
    const QStringList unstyled = DebugView::unstyled(atlas, raster);
    if (!unstyled.isEmpty())
        qWarning().noquote() << "countries without a style:" << unstyled.join(", ");
    for (const QString& clash : DebugView::neighbourClashes(atlas, raster))
        qWarning().noquote() << "neighbours alike:" << clash;
    return 0;
}
