// Picture2: the map of Europe in a sunken box; clicks and the pointer follow the hit test.
#pragma once

#include "keyboard_stops.h"
#include "map_highlight.h"
#include "region_table.h"
#include "sharp_picture.h"

#include <QCursor>
#include <QFrame>

#include <vector>

namespace brindora {

class MapBox : public QFrame {
    Q_OBJECT
public:
    explicit MapBox(QWidget* parent = nullptr);

    // Places a child of the box in its client area, in the design's client pixels; the box
    // keeps it there at every scale.
    void placeInClient(QWidget* child, const QRect& clientPixels);
    // The scale the window is shown at: the border and the children follow, the map fills
    // the client area.
    void setScale(double scale);
    QRect clientRect() const { return contentsRect(); }
    // A position in the widget as twips of the client area: first the map pixel under it,
    // then that pixel's twips, so that a point is judged the same at every scale.
    QPoint toClientTwips(const QPointF& widgetPosition) const;
    // The widget pixel at the middle of a map pixel.
    QPoint toWidget(const QPoint& mapPixel) const;
    MapPointer pointer() const { return m_pointer; }

    // The keyboard's stop: the state highlighted, 0 before the first key. Shown while the box
    // has the keyboard, or while a box or the menu has it for a moment.
    StateNumber highlighted() const { return m_highlight; }
    bool highlightShown() const { return m_highlight != 0 && m_highlightShown; }
    // The scan's step: the next stop in the reading order, as if a key had moved it.
    void stepScan();

signals:
    // Press and release of the left button on the same region of the map: the region in
    // front there, found once by the hit test. Inert zones and open map give nothing.
    void regionClicked(const brindora::Region& region);
    // Space on the highlighted state: answer for it as a click inside it would.
    void stopAnswered(brindora::StateNumber state);
    // The highlight went to another stop (an arrow, Page Up or Down, the scan).
    void stopMoved(brindora::StateNumber state);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Child {
        QWidget* widget;
        QRect clientPixels;
    };
    void showPointer(MapPointer pointer);
    void moveHighlight(StateNumber state);
    void paintKeyboard(QPainter& painter);

    SharpPicture m_map;
    QCursor m_mapCursor;
    QCursor m_regionCursor;
    MapPointer m_pointer = MapPointer::Map;
    bool m_pressed = false;
    Hit m_pressHit;
    double m_scale = 1.0;
    std::vector<Child> m_children;
    MapHighlight m_line;
    StateNumber m_highlight = 0;
    bool m_highlightShown = false;
    bool m_keyboardUsed = false; // a key reached the box, or Tab brought the keyboard here
};

} // namespace brindora
