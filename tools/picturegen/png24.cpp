// Qt writes RGB images without a key colour, so this builds the few chunks itself.
#include "png24.h"

#include <QDataStream>
#include <QIODevice>
#include <QSet>

namespace picturegen {

namespace {

constexpr QRgb kKeyCandidates[] = {0xffff00ff, 0xff00ff00, 0xff010203, 0xfffe01fd};

quint32 crc32(const QByteArray& data) {
    quint32 crc = 0xffffffffu;
    for (char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xffffffffu;
}

void chunk(QDataStream& out, const char* type, const QByteArray& data) {
    const QByteArray typed = QByteArray(type) + data;
    out << quint32(data.size());
    out.writeRawData(typed.constData(), int(typed.size()));
    out << crc32(typed);
}

} // namespace

QByteArray Png24::encode(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> used;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            used.insert(argb.pixel(x, y) | 0xff000000);
    QRgb key = kKeyCandidates[0];
    for (QRgb candidate : kKeyCandidates)
        if (!used.contains(candidate)) {
            key = candidate;
            break;
        }
    QByteArray raw;
    for (int y = 0; y < argb.height(); ++y) {
        raw.append('\0'); // no filter
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb px = qAlpha(argb.pixel(x, y)) < 128 ? key : argb.pixel(x, y);
            raw.append(char(qRed(px))).append(char(qGreen(px))).append(char(qBlue(px)));
        }
    }
    QByteArray header, keyChunk, png("\x89PNG\r\n\x1a\n", 8);
    QDataStream(&header, QIODevice::WriteOnly)
        << quint32(argb.width()) << quint32(argb.height()) << quint8(8) << quint8(2) << quint8(0)
        << quint8(0) << quint8(0); // 8 bits per channel, truecolour, no interlace
    QDataStream(&keyChunk, QIODevice::WriteOnly)
        << quint16(qRed(key)) << quint16(qGreen(key)) << quint16(qBlue(key));
    QDataStream out(&png, QIODevice::Append);
    chunk(out, "IHDR", header);
    chunk(out, "tRNS", keyChunk);
    chunk(out, "IDAT", qCompress(raw, 9).mid(4)); // qCompress prefixes the length
    chunk(out, "IEND", {});
    return png;
}

} // namespace picturegen
