// Loading the pictures: one table from name to file.
#include "pictures.h"

#include <QImageReader>

namespace brindora::pictures {

namespace {

struct Entry {
    const char* name;
    const char* file;
};

constexpr Entry kFiles[] = {
    {"europe_map", "europe_map.png"},       {"flag_strip", "flag_strip.bmp"},
    {"window_icon", "window_icon.ico"},     {"window_pointer", "window_pointer.ico"},
    {"car_picture", "car_picture.png"},     {"exit_picture", "exit_picture.png"},
    {"exit_pointer", "exit_pointer.ico"},   {"map_pointer", "map_pointer.ico"},
    {"region_pointer", "region_pointer.ico"},
};

constexpr int kPointerSize = 32;

} // namespace

QString resourcePath(const char* name) {
    for (const Entry& e : kFiles)
        if (qstrcmp(e.name, name) == 0)
            return QStringLiteral(":/pictures/") + QLatin1String(e.file);
    return {};
}

QPixmap pixmap(const char* name) {
    return QPixmap(resourcePath(name));
}

QIcon icon(const char* name) {
    return QIcon(resourcePath(name));
}

QCursor cursor(const char* name) {
    // An icon file holds several images: take the deepest 32-pixel one.
    QImageReader reader(resourcePath(name));
    QImage best;
    for (int i = 0; i < qMax(1, reader.imageCount()); ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (image.width() == kPointerSize && image.height() == kPointerSize &&
            (best.isNull() || image.depth() > best.depth()))
            best = image;
    }
    if (best.isNull())
        return QCursor(Qt::ArrowCursor);
    return QCursor(QPixmap::fromImage(best), kPointerSize / 2, kPointerSize / 2);
}

} // namespace brindora::pictures
