// Writes icon files (type 1): each image a bottom-up DIB with its AND mask.
#pragma once

#include "palette.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace picturegen {

class IcoFile {
public:
    // Adds `image` stored at `bits` per pixel: 4 or 8 with `palette`, 24 (as PNG with a
    // key colour), or 32 with alpha. Pixels with alpha below 128 are see-through.
    void add(const QImage& image, int bits, const Palette& palette = Palette());
    bool save(const QString& path) const;

private:
    struct Entry {
        int width, height, bits, colours;
        QByteArray dib;
    };
    QList<Entry> m_entries;
};

} // namespace picturegen
