// Painting the graphical button; clicks, keyboard and focus stay QAbstractButton's.
#include "graphical_button.h"

#include <QPainter>
#include <qdrawutil.h>

namespace brindora {

namespace {
constexpr int kBevel = 2;       // raised or sunken edge around the face
constexpr int kFocusInset = 2;  // the focus frame, inside the bevel
constexpr int kCaptionSide = 3; // room left and right of the wrapped caption
constexpr int kCaptionFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
} // namespace

GraphicalButton::GraphicalButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphicalButton::setFace(const QColor& face) {
    m_face = face;
    update();
}

void GraphicalButton::setPicture(const SharpPicture& picture) {
    m_picture = picture;
    update();
}

void GraphicalButton::setScale(double scale) {
    m_scale = scale;
    update();
}

// The face as designed; at another scale the painter scales it to the widget.
QRect GraphicalButton::designRect() const {
    return QRect(0, 0, qRound(width() / m_scale), qRound(height() / m_scale));
}

QRect GraphicalButton::inner() const {
    return designRect().adjusted(kBevel, kBevel, -kBevel, -kBevel);
}

int GraphicalButton::captionHeight() const {
    const QRect room = inner().adjusted(kCaptionSide, 0, -kCaptionSide, 0);
    const QRect needed = fontMetrics().boundingRect(room, kCaptionFlags, text());
    return qMin(needed.height(), inner().height());
}

// The picture and the caption form one block, centred on the face. When the face is
// too low for both, the caption keeps the lines it needs and the picture gets what is
// left above it, cut to that room: a caption that cannot be read helps no one.
QRect GraphicalButton::pictureArea() const {
    const QRect in = inner();
    const int caption = captionHeight();
    const int pictureHeight = m_picture.isNull() ? 0 : m_picture.size().height();
    const int block = pictureHeight + caption;
    if (block <= in.height()) {
        const int top = in.top() + (in.height() - block) / 2;
        return QRect(in.left(), top, in.width(), pictureHeight);
    }
    return QRect(in.left(), in.top(), in.width(), in.height() - caption);
}

QRect GraphicalButton::captionArea() const {
    const QRect picture = pictureArea();
    const QRect in = inner();
    const int caption = captionHeight();
    const int top = picture.height() > 0 ? picture.bottom() + 1 : in.bottom() + 1 - caption;
    return QRect(in.left() + kCaptionSide, top, in.width() - 2 * kCaptionSide, caption);
}

void GraphicalButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect face = designRect();
    painter.scale(double(width()) / face.width(), double(height()) / face.height());
    const QBrush fill(m_face);
    qDrawWinButton(&painter, face, palette(), isDown(), &fill);

    // Pressed, the face's content moves one pixel down and right, as on the desktop.
    const QPoint shift = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    const QRect pictureRoom = pictureArea().translated(shift);
    if (!m_picture.isNull() && pictureRoom.height() > 0) {
        const QSize size = m_picture.size();
        const QPoint at(pictureRoom.left() + (pictureRoom.width() - size.width()) / 2,
                        pictureRoom.top() + (pictureRoom.height() - size.height()) / 2);
        painter.save();
        painter.setClipRect(pictureRoom.intersected(inner().translated(shift)));
        m_picture.draw(painter, QRectF(at, size));
        painter.restore();
    }

    const QRect caption = captionArea().translated(shift);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.setFont(font());
    const int vertical =
        caption.height() < fontMetrics().height() ? Qt::AlignVCenter : Qt::AlignTop;
    painter.drawText(caption, (kCaptionFlags & ~Qt::AlignTop) | vertical, text());

    if (hasFocus()) {
        // The dotted frame of the desktop's buttons.
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(
            inner().adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
    }
}

} // namespace brindora
