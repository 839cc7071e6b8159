// Icon layout: 6-byte header, 16 bytes per entry, then the DIBs (double height: XOR + AND).
// Qt ignores the AND mask of 24-bit DIBs, so a 24-bit image is stored as PNG with a key colour.
#include "ico_file.h"

#include "png24.h"

#include <QDataStream>
#include <QFile>

namespace picturegen {

namespace {

int rowBytes(int width, int bits) {
    return ((width * bits + 31) / 32) * 4;
}

QByteArray pixelRow(const QImage& argb, int y, int bits, const Palette& palette) {
    QByteArray row(rowBytes(argb.width(), bits), '\0');
    auto* out = reinterpret_cast<uchar*>(row.data());
    for (int x = 0; x < argb.width(); ++x) {
        QRgb px = argb.pixel(x, y);
        switch (bits) {
        case 4:
            out[x / 2] |= uchar(palette.index(px) << (x % 2 == 0 ? 4 : 0));
            break;
        case 8:
            out[x] = uchar(palette.index(px));
            break;
        default:
            out[4 * x] = uchar(qBlue(px)), out[4 * x + 1] = uchar(qGreen(px));
            out[4 * x + 2] = uchar(qRed(px)), out[4 * x + 3] = uchar(qAlpha(px));
        }
    }
    return row;
}

QByteArray maskRow(const QImage& argb, int y) {
    QByteArray row(rowBytes(argb.width(), 1), '\0');
    for (int x = 0; x < argb.width(); ++x)
        if (qAlpha(argb.pixel(x, y)) < 128)
            row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
    return row;
}

} // namespace

void IcoFile::add(const QImage& image, int bits, const Palette& palette) {
    if (bits == 24) {
        m_entries.append({image.width(), image.height(), bits, 0, Png24::encode(image)});
        return;
    }
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int colours = bits <= 8 ? 1 << bits : 0;
    const int w = argb.width(), h = argb.height();
    const quint32 imageBytes = quint32((rowBytes(w, bits) + rowBytes(w, 1)) * h);
    QByteArray dib;
    {
        QDataStream out(&dib, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out << quint32(40) << qint32(w) << qint32(2 * h) << quint16(1) << quint16(bits)
            << quint32(0) << quint32(imageBytes) << qint32(0) << qint32(0) << quint32(0)
            << quint32(0);
        for (int i = 0; i < colours; ++i) {
            const QRgb c = i < palette.colours().size() ? palette.colours()[i] : 0;
            out << quint8(qBlue(c)) << quint8(qGreen(c)) << quint8(qRed(c)) << quint8(0);
        }
    }
    for (int y = h - 1; y >= 0; --y)
        dib.append(pixelRow(argb, y, bits, palette));
    for (int y = h - 1; y >= 0; --y)
        dib.append(maskRow(argb, y));
    m_entries.append({w, h, bits, colours, dib});
}

bool IcoFile::save(const QString& path) const {
    QByteArray file;
    {
        QDataStream out(&file, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out << quint16(0) << quint16(1) << quint16(m_entries.size());
        quint32 offset = quint32(6 + 16 * m_entries.size());
        for (const Entry& e : m_entries) {
            out << quint8(e.width % 256) << quint8(e.height % 256) << quint8(e.colours % 256)
                << quint8(0) << quint16(1) << quint16(e.bits) << quint32(e.dib.size())
                << quint32(offset);
            offset += quint32(e.dib.size());
        }
    }
    for (const Entry& e : m_entries)
        file.append(e.dib);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(file) == file.size();
}

} // namespace picturegen
