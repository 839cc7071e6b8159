// The keyboard's highlight: a thick black line round one state, drawn from the map's own
// state mask so that it follows the border the picture shows, at any size the map is drawn.
#pragma once

#include "state_number.h"

#include <QImage>
#include <QPoint>

namespace brindora {

class MapHighlight {
public:
    // Map pixels at scale 1 from the state's edge outwards; more device pixels at a larger
    // size, in proportion.
    static constexpr int kWidthPixels = 4;
    static constexpr QRgb kColour = 0xff000000;

    // The line, opaque where it is drawn and transparent elsewhere, and where its image lies
    // in the map drawn at this many device pixels.
    struct Line {
        QImage image;
        QPoint at;
    };
    const Line& line(StateNumber state, QSize devicePixels);

    // The state mask at this size: one byte per pixel, the state's number or 0 and 255 for
    // sea and other land. Read from the finest mask needed (never a coarser one enlarged).
    static QImage maskAt(QSize devicePixels);
    // The line's pixels in a mask: those of other states, sea or land, that lie within
    // `width` pixels of the state.
    static QImage lineIn(const QImage& mask, StateNumber state, int width, QPoint* at);

private:
    QImage m_mask; // the last size asked for
    StateNumber m_state = 0;
    QSize m_size;
    Line m_line;
};

} // namespace brindora
