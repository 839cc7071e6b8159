// The committed map picture and its state mask, loaded once, and the colour rules.
#include "map_files.h"

#include <QFile>
#include <algorithm>
#include <cstdlib>

namespace brindora::mapfiles {

QString picturePath() {
    return QStringLiteral(BRINDORA_ASSETS_DIR "/europe_map.png");
}
QString maskPath() {
    return QStringLiteral(BRINDORA_ASSETS_DIR "/europe_map_mask.png");
}

const QImage& picture() {
    static const QImage image(picturePath());
    return image;
}

const QImage& mask() {
    static const QImage image(maskPath());
    return image;
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
