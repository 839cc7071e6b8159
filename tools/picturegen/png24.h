// A 24-bit PNG whose see-through pixels are marked by a key colour (tRNS chunk).
#pragma once

#include <QByteArray>
#include <QImage>

namespace picturegen {

class Png24 {
public:
    // Pixels with alpha below 128 become the key colour, one the image does not use.
    static QByteArray encode(const QImage& image);
};

} // namespace picturegen
