// The exit button's picture: the flag tilted in perspective, Europe inside its stars.
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QRectF>

namespace picturegen {

class ExitPicture {
public:
    static QImage draw(); // 113 x 98, white background, ARGB
    // A coarse outline of Europe, scaled to fit `box` (keeps its proportions).
    static QPainterPath europe(const QRectF& box);
};

} // namespace picturegen
