// One switch: the highlight steps through the map's stops by itself, one every interval,
// while the map has the keyboard and no box is open.
#pragma once

#include <QObject>
#include <QTimer>

namespace brindora {

class MapBox;

class Scanner : public QObject {
    Q_OBJECT
public:
    Scanner(MapBox& map, int intervalMs, QObject* parent = nullptr);

    // One step now: the timer's, or a test's by hand. Nothing while a box is open.
    void step();
    // Stepping stops (a box opens, the car button takes the switch) and starts again a
    // whole interval later, if the map is the window's keyboard control and no box is open.
    void pause();
    void resume();
    const QTimer& timer() const { return m_timer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MapBox& m_map;
    QTimer m_timer;
};

} // namespace brindora
