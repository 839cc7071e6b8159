// The three pictures without a flag: the car, the stop sign with a hand, the globe.
#pragma once

#include <QImage>

namespace picturegen {

class SmallPictures {
public:
    static QImage car(int scale = 1); // 32 x 32 times `scale`, see-through around the car
    static QImage stopHand();         // 32 x 32, see-through outside the octagon
    static QImage globe();            // 32 x 32, standard 16 colours only, see-through outside
};

} // namespace picturegen
