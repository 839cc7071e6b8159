// Full screen goes through the desktop, which also sizes the window; only where nobody manages
// windows (X without a window manager) does the program cover the screen itself. Setting the
// geometry of a window the desktop is making full screen cancels the full screen on X.
#include "screen_fit.h"

#include "client_area.h"
#include "layout_table.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace brindora {

namespace {

bool onX11() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// How long a compositor is given to answer a change of full screen before the next F11 is
// asked for all the same (one that refuses may never answer with the state asked for).
constexpr int kAnswerMs = 5000;

// A window manager that follows the desktop conventions names its own window on the root
// window, and that window names itself too.
bool windowManagerRuns() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr)
        return true;
    xcb_connection_t* c = x11->connection();
    const char name[] = "_NET_SUPPORTING_WM_CHECK";
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof name - 1, name), nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const auto checkWindow = [&](xcb_window_t window) -> xcb_window_t {
        const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(
                c, xcb_get_property(c, 0, window, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr),
            &std::free);
        if (!reply || xcb_get_property_value_length(reply.get()) < 4)
            return XCB_WINDOW_NONE;
        return *static_cast<xcb_window_t*>(xcb_get_property_value(reply.get()));
    };
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem > 0; xcb_screen_next(&it)) {
        const xcb_window_t wm = checkWindow(it.data->root);
        if (wm != XCB_WINDOW_NONE && checkWindow(wm) == wm)
            return true;
    }
    return false;
}

// How long the window manager is given to put the normal window where it belongs.
constexpr int kPlacingMs = 10000;

const QSize kDesignSize(twipsToPixels(layout::kClientWidthTwips),
                        twipsToPixels(layout::kClientHeightTwips));

} // namespace

ScreenFit::ScreenFit(QMainWindow& window, ClientArea& client)
    : QObject(&window), m_window(window), m_client(client) {
    // No maximise button: the window's size is its own (see fixSize).
    m_window.setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    m_window.installEventFilter(this);
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(50);
    connect(&m_settleTimer, &QTimer::timeout, this, [this] {
        if (!m_full)
            settle();
    });
}

void ScreenFit::toggleFullScreen() {
    if (m_asked && !m_askDeadline.hasExpired()) {
        m_wanted = !m_wanted;
        return;
    }
    ask(!m_window.isFullScreen());
}

// On Wayland the compositor answers each request with a configure, which may come after an F11
// that follows quickly. Qt sends a request only where it differs from the last configure
// applied, so a second F11 before the answer to the first would be lost, and an answer arriving
// late would be taken for the state. So one request at a time: the next is asked for once the
// compositor has answered with the state asked for (answered).
void ScreenFit::ask(bool full) {
    // A window manager refuses full screen to a window that says it cannot grow.
    if (full)
        letGrow();
    m_wanted = full;
    m_asked = onWayland() && m_reportedFull != full;
    m_askedFull = full;
    if (m_asked)
        m_askDeadline.setRemainingTime(kAnswerMs);
    const Qt::WindowStates state = m_window.windowState();
    m_window.setWindowState(full ? state | Qt::WindowFullScreen : state & ~Qt::WindowFullScreen);
}

void ScreenFit::answered(bool full) {
    m_reportedFull = full;
    // Nothing asked, or a configure the compositor sent before the request.
    if (!m_asked || full != m_askedFull || m_answerQueued)
        return;
    // Qt applies a configure, acknowledges it and draws the window at its new size all in one
    // go; weston ignores a request between the acknowledgement and that drawing. So whatever F11
    // asked meanwhile goes once this configure has been applied to its end.
    m_answerQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_answerQueued = false;
            m_asked = false;
            if (m_wanted != m_reportedFull)
                ask(m_wanted); // F11 pressed again meanwhile
        },
        Qt::QueuedConnection);
}

void ScreenFit::followState() {
    const bool full = m_window.isFullScreen();
    if (full == m_full)
        return;
    m_full = full;
    if (full) {
        // Where the normal window lies now, if it was still settling when full screen came.
        if (m_placePending && !m_shownNormal && m_window.isVisible() &&
            m_window.windowHandle()->isExposed()) {
            m_normalPlace = m_window.pos();
            m_shownNormal = true;
        }
        m_settleTimer.stop();
        letGrow();
        coverScreen();
    } else {
        // Pending first: the new size comes with events that must not be taken for a place.
        m_centre = !m_shownNormal;
        startPlacing();
        fixSize();
        placeWhole();
    }
}

// Where nobody else makes the window cover the screen. (Through the platform window: the
// widget's own setGeometry would end the full screen on X.)
void ScreenFit::coverScreen() {
    QWindow* window = m_window.windowHandle();
    if (window != nullptr && !desktopPlacesWindows() &&
        window->geometry() != m_window.screen()->geometry())
        window->setGeometry(m_window.screen()->geometry());
}

void ScreenFit::letGrow() {
    m_client.setFitting(true);
    m_window.layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    m_window.setMinimumSize(0, 0);
    m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void ScreenFit::fixSize() {
    m_client.setNormalScale(m_normalScale);
    m_client.setFitting(false);
    m_window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    m_window.layout()->activate();
    // The window keeps its size, but the window manager hears that it may grow: metacity and
    // mutter refuse the desktop's own full screen to a window whose limits are equal.
    if (onX11() && m_window.windowHandle())
        m_window.windowHandle()->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

// The largest scale, up to 1, at which the window and its frame fit the screen's free area.
void ScreenFit::fitNormal() {
    if (m_full || m_window.screen() == nullptr)
        return;
    const QRect room = m_window.screen()->availableGeometry();
    const QRect frame = m_window.frameGeometry();
    const QRect inner = m_window.geometry();
    const int frameWidth = frame.width() - inner.width();
    const int frameHeight = frame.height() - inner.height();
    const int menu = m_window.menuBar() ? m_window.menuBar()->height() : 0;
    const double scale =
        qMin(1.0, qMin(double(room.width() - frameWidth) / kDesignSize.width(),
                       double(room.height() - frameHeight - menu) / kDesignSize.height()));
    if (scale <= 0 || scale == m_normalScale)
        return;
    m_normalScale = scale;
    startPlacing();
    fixSize();
}

// Where the normal window's frame belongs: where it was (centred if it never was), and whole
// on the screen.
QRect ScreenFit::place() const {
    const QRect room = m_window.screen()->availableGeometry();
    QRect frame = m_window.frameGeometry();
    if (m_shownNormal)
        frame.moveTopLeft(m_normalPlace);
    else if (m_centre)
        frame.moveCenter(room.center());
    frame.moveLeft(qMax(room.left(), qMin(frame.left(), room.right() + 1 - frame.width())));
    frame.moveTop(qMax(room.top(), qMin(frame.top(), room.bottom() + 1 - frame.height())));
    return frame;
}

void ScreenFit::placeWhole() {
    // A Wayland compositor places windows itself, and tells nobody where.
    if (!m_placePending || m_full || !onX11() || !m_window.isVisible())
        return;
    const QPoint target = place().topLeft();
    // Settled once it is on the screen with the frame the window manager gives it.
    const bool settled = m_window.windowHandle()->isExposed() &&
                         (m_window.frameGeometry() != m_window.geometry() || !windowManagerRuns());
    if (m_window.pos() == target && settled) {
        m_placePending = false;
        m_centre = false;
        return;
    }
    // The window manager may put back a place of its own once more, and its frame's size
    // arrives with no event of its own: one look again a little later settles both. A busy
    // window manager may take seconds; after that the window stays where it is.
    if (m_placeDeadline.hasExpired()) {
        m_placePending = false;
        return;
    }
    if (m_window.pos() != target)
        m_window.move(target);
    m_settleTimer.start();
}

void ScreenFit::startPlacing() {
    m_placePending = true;
    m_placeDeadline.setRemainingTime(kPlacingMs);
}

bool ScreenFit::desktopPlacesWindows() const {
    return !onX11() || windowManagerRuns();
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_window) {
        // The window on the screen: it is shown, so its frame and place are known.
        if (event->type() == QEvent::Expose)
            m_full ? coverScreen() : settle();
        // The compositor's configure, applied (every one, whether the state changed or not).
        if (event->type() == QEvent::WindowStateChange && event->spontaneous() && onWayland())
            answered(m_window.windowHandle()->windowStates() & Qt::WindowFullScreen);
        return false;
    }
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::ScreenChangeInternal:
        if (m_window.windowHandle() && m_watchedWindow != m_window.windowHandle()) {
            m_watchedWindow = m_window.windowHandle();
            m_watchedWindow->installEventFilter(this);
        }
        if (!m_full) {
            startPlacing();
            fitNormal();
            fixSize();
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (!m_full)
            settle();
        break;
    default:
        break;
    }
    return false;
}

void ScreenFit::settle() {
    fitNormal();
    placeWhole();
    if (!m_placePending && m_window.isVisible() && m_window.windowHandle()->isExposed()) {
        m_normalPlace = m_window.pos();
        m_shownNormal = true;
    }
    // Its limits told the window manager that it may grow: it keeps its own size all the same.
    if (m_window.size() != m_window.minimumSize() &&
        m_window.minimumSize() == m_window.maximumSize() &&
        !(m_window.windowState() & Qt::WindowMaximized))
        m_window.resize(m_window.minimumSize());
}

} // namespace brindora
