// The map box: the picture fills the client area, one table for clicks and pointer.
#include "map_box.h"

#include "layout_table.h"
#include "pictures.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

#include <cmath>

namespace brindora {

MapBox::MapBox(QWidget* parent)
    : QFrame(parent), m_map(layout::kMapPicture),
      m_mapCursor(pictures::cursor(layout::kMapPointer)),
      m_regionCursor(pictures::cursor(layout::kRegionPointer)) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setLineWidth(layout::kMapBorderPixels);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // The flag strips lie behind the box: paintEvent covers them. (Not by filling the
    // background: a widget marked opaque is left black on Wayland after full screen.)
    setBackgroundRole(QPalette::Button);
    setCursor(m_mapCursor);
    // Never a state's name: that would give the answer away in the quiz.
    setAccessibleName(QStringLiteral("Carta d'Europa"));
}

void MapBox::placeInClient(QWidget* child, const QRect& clientPixels) {
    m_children.push_back({child, clientPixels});
    child->setGeometry(layout::scaled(clientPixels, m_scale).translated(contentsRect().topLeft()));
    // Moves over a child must reach the box too, so that the pointer follows the hit test.
    child->setMouseTracking(true);
}

void MapBox::setScale(double scale) {
    m_scale = scale;
    // The desktop's sunken panel is always two pixels wide: at another scale paintEvent
    // draws the border, and the client area lies inside it (a frame's contents margins).
    const int border = qMax(1, qRound(layout::kMapBorderPixels * scale));
    setContentsMargins(border, border, border, border);
    for (const Child& c : m_children)
        c.widget->setGeometry(
            layout::scaled(c.clientPixels, scale).translated(contentsRect().topLeft()));
    update();
}

QPoint MapBox::toClientTwips(const QPointF& widgetPosition) const {
    const QRectF client = contentsRect();
    const QSize map = m_map.size();
    const auto pixel = [](double offset, double span, int pixels) {
        return int(std::floor(offset * pixels / span));
    };
    return {pixelsToTwips(pixel(widgetPosition.x() - client.left(), client.width(), map.width())),
            pixelsToTwips(pixel(widgetPosition.y() - client.top(), client.height(), map.height()))};
}

QPoint MapBox::toWidget(const QPoint& mapPixel) const {
    const QRectF client = contentsRect();
    const QSize map = m_map.size();
    return {int(std::floor(client.left() + (mapPixel.x() + 0.5) * client.width() / map.width())),
            int(std::floor(client.top() + (mapPixel.y() + 0.5) * client.height() / map.height()))};
}

void MapBox::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(backgroundRole()));
        painter.setClipRect(contentsRect());
        m_map.draw(painter, contentsRect());
        paintKeyboard(painter);
        if (m_scale != 1.0) {
            const QRect design(0, 0, qRound(width() / m_scale), qRound(height() / m_scale));
            painter.setClipping(false);
            painter.scale(double(width()) / design.width(), double(height()) / design.height());
            qDrawWinPanel(&painter, design, palette(), true);
            return;
        }
    }
    QFrame::paintEvent(event); // the border
}

namespace {
bool sameRectangle(const Hit& a, const Hit& b) {
    return a.region == b.region && a.zone == b.zone;
}
} // namespace

void MapBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QFrame::mousePressEvent(event);
        return;
    }
    const QPoint at = toClientTwips(event->position());
    m_pressed = true;
    m_pressHit = hitTest(at.x(), at.y());
}

void MapBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed) {
        QFrame::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false;
    const QPoint at = toClientTwips(event->position());
    if (m_pressHit.region != nullptr && sameRectangle(hitTest(at.x(), at.y()), m_pressHit))
        emit regionClicked(*m_pressHit.region);
}

void MapBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = toClientTwips(event->position());
    showPointer(pointerAt(at.x(), at.y()));
    QFrame::mouseMoveEvent(event);
}

void MapBox::showPointer(MapPointer pointer) {
    if (pointer == m_pointer)
        return;
    m_pointer = pointer;
    setCursor(pointer == MapPointer::Region ? m_regionCursor : m_mapCursor);
}

// The line round the highlighted state in device pixels, as the map itself is drawn; the
// focus frame inside the client area's edge, once the keyboard is used here.
void MapBox::paintKeyboard(QPainter& painter) {
    const QRect client = contentsRect();
    const QRectF device = painter.deviceTransform().mapRect(QRectF(client));
    const QSize pixels(qRound(device.width()), qRound(device.height()));
    if (highlightShown() && !pixels.isEmpty()) {
        const MapHighlight::Line& line = m_line.line(m_highlight, pixels);
        const double sx = client.width() / double(pixels.width());
        const double sy = client.height() / double(pixels.height());
        painter.drawImage(QRectF(client.left() + line.at.x() * sx, client.top() + line.at.y() * sy,
                                 line.image.width() * sx, line.image.height() * sy),
                          line.image);
    }
    if (m_keyboardUsed && hasFocus()) {
        const int width = qMax(1, qRound(layout::kMapFocusPixels * m_scale));
        QPen pen(QColor::fromRgb(MapHighlight::kColour), width);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(client).adjusted(width / 2.0, width / 2.0, -width / 2.0,
                                                 -width / 2.0));
    }
}

void MapBox::moveHighlight(StateNumber state) {
    m_keyboardUsed = true;
    m_highlightShown = true;
    const bool moved = state != m_highlight;
    m_highlight = state;
    update();
    if (moved)
        emit stopMoved(state);
}

void MapBox::stepScan() {
    moveHighlight(stepInReadingOrder(m_highlight, 1));
}

void MapBox::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QFrame::keyPressEvent(event);
        return;
    }
    m_keyboardUsed = true;
    update();
    const auto arrow = [this](Arrow a) {
        moveHighlight(m_highlight == 0 ? kFirstStop : arrowTarget(m_highlight, a));
    };
    switch (event->key()) {
    case Qt::Key_Left:
        return arrow(Arrow::Left);
    case Qt::Key_Right:
        return arrow(Arrow::Right);
    case Qt::Key_Up:
        return arrow(Arrow::Up);
    case Qt::Key_Down:
        return arrow(Arrow::Down);
    // A move switch: every stop in turn, in the scan's order.
    case Qt::Key_PageDown:
        return moveHighlight(stepInReadingOrder(m_highlight, 1));
    case Qt::Key_PageUp:
        return moveHighlight(stepInReadingOrder(m_highlight, -1));
    case Qt::Key_Space:
        // Held down, the switch answers once; with nothing highlighted yet, it only shows
        // where the highlight starts, for no answer is given blind.
        if (event->isAutoRepeat())
            return;
        if (!highlightShown())
            return moveHighlight(m_highlight == 0 ? kFirstStop : m_highlight);
        emit stopAnswered(m_highlight);
        return;
    default:
        QFrame::keyPressEvent(event);
    }
}

void MapBox::focusInEvent(QFocusEvent* event) {
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        m_keyboardUsed = true;
    m_highlightShown = true; // back where it was
    update();
    QFrame::focusInEvent(event);
}

// A box or the menu takes the keyboard for a moment: the highlight stays, so that the pupil
// sees where they are. Another control takes it: the highlight waits for the keyboard's return.
void MapBox::focusOutEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
        reason != Qt::MenuBarFocusReason)
        m_highlightShown = false;
    update();
    QFrame::focusOutEvent(event);
}

} // namespace brindora
