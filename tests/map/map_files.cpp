// The committed map picture and its state mask, loaded once, and the colour rules.
#include "map_files.h"

#include <QFile>
#include <algorithm>
#include <cstdlib>
#include <map>

namespace brindora::mapfiles {

namespace {

QString assetPath(const char* name, int scale) {
    const QString suffix = scale == 1 ? QString() : QString("@%1x").arg(scale);
    return QStringLiteral(BRINDORA_ASSETS_DIR "/") + name + suffix + ".png";
}

// Each file is read once, at its first use.
const QImage& loaded(const QString& path) {
    static std::map<QString, QImage> images;
    auto it = images.find(path);
    if (it == images.end())
        it = images.emplace(path, QImage(path)).first;
    return it->second;
}

} // namespace

QString picturePath(int scale) {
    return assetPath("europe_map", scale);
}
QString maskPath(int scale) {
    return assetPath("europe_map_mask", scale);
}

QString countriesPath() {
    return assetPath("europe_map_countries", 1);
}

const QImage& picture(int scale) {
    return loaded(picturePath(scale));
}

const QImage& mask(int scale) {
    return loaded(maskPath(scale));
}

const QImage& countries() {
    return loaded(countriesPath());
}

// Reads the IHDR chunk that every PNG starts with, after its 8-byte signature.
PngHeader pngHeader(const QString& path) {
    PngHeader h;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return h;
    const QByteArray head = file.read(29);
    if (head.size() < 29 || !head.startsWith("\x89PNG\r\n\x1a\n") || head.mid(12, 4) != "IHDR")
        return h;
    auto be32 = [&head](int at) {
        int v = 0;
        for (int k = 0; k < 4; ++k)
            v = (v << 8) | static_cast<unsigned char>(head[at + k]);
        return v;
    };
    h.width = be32(16);
    h.height = be32(20);
    h.bitDepth = static_cast<unsigned char>(head[24]);
    h.colourType = static_cast<unsigned char>(head[25]);
    return h;
}

bool isCoast(QRgb c) {
    const int hi = std::max({qRed(c), qGreen(c), qBlue(c)});
    const int lo = std::min({qRed(c), qGreen(c), qBlue(c)});
    return hi <= 96 && hi - lo <= 16;
}

bool isSea(QRgb c) {
    return (c & 0xffffff) == (kSea & 0xffffff);
}

int colourDistance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

} // namespace brindora::mapfiles
