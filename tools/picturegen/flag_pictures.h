// The pictures built around the flag: icon, window pointer, region pointer, flag strip.
#pragma once

#include <QImage>
#include <QRect>

namespace picturegen {

class FlagPictures {
public:
    static QImage windowIcon(int size);    // flag with a green tick; ARGB
    static QImage windowPointer(int size); // square flag, opaque
    static QImage regionPointer();         // 32 x 32, flag in the top-left 31 x 20
    // 864 x 191 times `scale`: three flags, opaque. Larger scales are for sharp screens.
    static QImage flagStrip(int scale = 1);
    // Where each of the strip's three flags lies, at that scale.
    static QRect stripFlag(int i, int scale = 1);
};

} // namespace picturegen
