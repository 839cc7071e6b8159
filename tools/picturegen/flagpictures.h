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
    static QImage flagStrip();             // 864 x 191, three flags, opaque
    // Where each of the strip's three flags lies.
    static QRect stripFlag(int i);
};

} // namespace picturegen
