// The map box: the picture unscaled at the client origin, one table for clicks and pointer.
#include "map_box.h"

#include "layout_table.h"
#include "pictures.h"

#include <QMouseEvent>
#include <QPainter>

namespace brindora {

MapBox::MapBox(QWidget* parent)
    : QFrame(parent), m_map(pictures::pixmap(layout::kMapPicture)),
      m_mapCursor(pictures::cursor(layout::kMapPointer)),
      m_regionCursor(pictures::cursor(layout::kRegionPointer)) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setLineWidth(layout::kMapBorderPixels);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // Opaque: the flag strips lie behind the box.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setCursor(m_mapCursor);
}

void MapBox::placeInClient(QWidget* child, const QRect& clientPixels) {
    child->setGeometry(clientPixels.translated(contentsRect().topLeft()));
    // Moves over a child must reach the box too, so that the pointer follows the hit test.
    child->setMouseTracking(true);
}

QPoint MapBox::toClientTwips(const QPoint& widgetPixels) const {
    const QPoint client = widgetPixels - contentsRect().topLeft();
    return {pixelsToTwips(client.x()), pixelsToTwips(client.y())};
}

void MapBox::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.setClipRect(contentsRect());
        painter.drawPixmap(contentsRect().topLeft(), m_map);
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
    const QPoint at = toClientTwips(event->position().toPoint());
    m_pressed = true;
    m_pressHit = hitTest(at.x(), at.y());
}

void MapBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed) {
        QFrame::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false;
    const QPoint at = toClientTwips(event->position().toPoint());
    if (sameRectangle(hitTest(at.x(), at.y()), m_pressHit))
        emit clicked(at.x(), at.y());
}

void MapBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = toClientTwips(event->position().toPoint());
    showPointer(pointerAt(at.x(), at.y()));
    QFrame::mouseMoveEvent(event);
}

void MapBox::showPointer(MapPointer pointer) {
    if (pointer == m_pointer)
        return;
    m_pointer = pointer;
    setCursor(pointer == MapPointer::Region ? m_regionCursor : m_mapCursor);
}

} // namespace brindora
