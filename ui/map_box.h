// Picture2: the map of Europe in a sunken box; clicks and the pointer follow the hit test.
#pragma once

#include "region_table.h"

#include <QCursor>
#include <QFrame>
#include <QPixmap>

namespace brindora {

class MapBox : public QFrame {
    Q_OBJECT
public:
    explicit MapBox(QWidget* parent = nullptr);

    // Places a child of the box in its client area, in client pixels.
    void placeInClient(QWidget* child, const QRect& clientPixels);
    QRect clientRect() const { return contentsRect(); }
    // A position in the widget, in pixels, as twips of the client area.
    QPoint toClientTwips(const QPoint& widgetPixels) const;
    MapPointer pointer() const { return m_pointer; }

signals:
    // Press and release of the left button on the same rectangle of the map.
    void clicked(int xTwips, int yTwips);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void showPointer(MapPointer pointer);

    QPixmap m_map;
    QCursor m_mapCursor;
    QCursor m_regionCursor;
    MapPointer m_pointer = MapPointer::Map;
    bool m_pressed = false;
    Hit m_pressHit;
};

} // namespace brindora
