// The timer runs only while stepping can help the pupil: at rest, nothing wakes up.
#include "scanner.h"

#include "map_box.h"

#include <QApplication>
#include <QEvent>

namespace brindora {

namespace {
bool boxOpen() {
    return QApplication::activeModalWidget() != nullptr;
}
} // namespace

Scanner::Scanner(MapBox& map, int intervalMs, QObject* parent) : QObject(parent), m_map(map) {
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &Scanner::step);
    m_map.installEventFilter(this);
}

void Scanner::step() {
    if (boxOpen()) {
        pause();
        return;
    }
    m_map.stepScan();
}

void Scanner::pause() {
    m_timer.stop();
}

void Scanner::resume() {
    if (!boxOpen() && m_map.window()->focusWidget() == &m_map)
        m_timer.start();
}

// The keyboard leaves the map (Tab, a click elsewhere, another window) or comes back.
bool Scanner::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_map && event->type() == QEvent::FocusIn)
        resume();
    else if (watched == &m_map && event->type() == QEvent::FocusOut)
        pause();
    return QObject::eventFilter(watched, event);
}

} // namespace brindora
