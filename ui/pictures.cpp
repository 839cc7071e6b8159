// Loading the pictures: one table from name to file.
#include "pictures.h"

#include <QImageReader>

#include <array>

namespace brindora::pictures {

namespace {

struct Entry {
    const char* name;
    const char* file;
    std::array<int, 3> larger; // the scales of its sharper files, name@Nx.png; 0: none
};

// clang-format off
constexpr Entry kFiles[] = {
    {"europe_map",     "europe_map.bmp",     {2, 3, 4}},
    {"flag_strip",     "flag_strip.bmp",     {2, 4, 0}},
    {"window_icon",    "window_icon.ico",    {}},
    {"window_pointer", "window_pointer.ico", {}},
    {"car_picture",    "car_picture.png",    {2, 4, 0}},
    {"exit_picture",   "exit_picture.png",   {}},
    {"exit_pointer",   "exit_pointer.ico",   {}},
    {"map_pointer",    "map_pointer.ico",    {}},
    {"region_pointer", "region_pointer.ico", {}},
};
// clang-format on

const Entry* entry(const char* name) {
    for (const Entry& e : kFiles)
        if (qstrcmp(e.name, name) == 0)
            return &e;
    return nullptr;
}

const QString kFolder = QStringLiteral(":/pictures/");

constexpr int kPointerSize = 32;

} // namespace

QString resourcePath(const char* name) {
    const Entry* e = entry(name);
    return e ? kFolder + QLatin1String(e->file) : QString();
}

QList<int> largerScales(const char* name) {
    QList<int> scales;
    if (const Entry* e = entry(name))
        for (int scale : e->larger)
            if (scale > 0)
                scales.append(scale);
    return scales;
}

QString largerPath(const char* name, int scale) {
    return kFolder + QLatin1String(name) + QStringLiteral("@%1x.png").arg(scale);
}

QPixmap pixmap(const char* name) {
    return QPixmap(resourcePath(name));
}

QIcon icon(const char* name) {
    return QIcon(resourcePath(name));
}

QList<QImage> images(const char* name) {
    QList<QImage> result;
    const QString path = resourcePath(name);
    if (path.isEmpty())
        return result;
    QImageReader reader(path);
    for (int i = 0; i < qMax(1, reader.imageCount()); ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (image.isNull())
            break;
        result.append(image);
    }
    return result;
}

int storedDepth(const QImage& image) {
    // Qt converts every icon image to 32 bits and notes what the file held.
    bool ok = false;
    const int depth = image.text(QStringLiteral("_q_icoOrigDepth")).toInt(&ok);
    return ok ? depth : image.depth();
}

QCursor cursor(const char* name) {
    // An icon file holds several images: take the deepest 32-pixel one.
    QImage best;
    for (const QImage& image : images(name))
        if (image.width() == kPointerSize && image.height() == kPointerSize &&
            (best.isNull() || storedDepth(image) > storedDepth(best)))
            best = image;
    if (best.isNull())
        return QCursor(Qt::ArrowCursor);
    return QCursor(QPixmap::fromImage(best), kPointerSize / 2, kPointerSize / 2);
}

} // namespace brindora::pictures
