// A colour table for paletted images: median cut with pinned colours, or the standard 16.
#pragma once

#include <QImage>
#include <QList>

namespace picturegen {

class Palette {
public:
    // Up to `size` colours for the opaque pixels of `image` (alpha >= 128); `pinned`
    // colours are kept exactly. When the image has see-through pixels, entry 0 is
    // transparent black. The table is padded with black to `size` entries.
    static Palette build(const QImage& image, int size, const QList<QRgb>& pinned);
    // The 16 colours of the standard desktop palette, in their usual order.
    static Palette standard16();

    const QList<QRgb>& colours() const { return m_colours; }
    bool hasTransparent() const { return m_transparent; }
    int index(QRgb pixel) const; // nearest entry; see-through pixels take entry 0
    QImage toIndexed8(const QImage& image) const;

private:
    QList<QRgb> m_colours;
    bool m_transparent = false;
};

} // namespace picturegen
