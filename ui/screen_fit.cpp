// Full screen goes through the desktop, which also sizes the window; only where nobody manages
// windows (X without a window manager) does the program cover the screen itself. Setting the
// geometry of a window the desktop is making full screen cancels the full screen on X.
#include "screen_fit.h"

#include "client_area.h"
#include "layout_table.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QLoggingCategory>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <QtMath>

#include "screen_desktop.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

// QT_LOGGING_RULES=brindora.screen.debug=true tells what the window manager did and what the
// game answered.
Q_LOGGING_CATEGORY(lcScreen, "brindora.screen", QtWarningMsg)

namespace brindora {

namespace {

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// How long a compositor is given to answer a change of full screen before the next F11 is
// asked for all the same (one that refuses may never answer with the state asked for).
constexpr int kAnswerMs = 5000;

// How long the window manager is given to put the normal window where it belongs.
constexpr int kPlacingMs = 10000;
// How long it must stay where it belongs before the window manager is taken to be done.
constexpr int kStayMs = 1000;
// How long after a box Qt is given to hear that the keyboard is back.
constexpr int kKeyboardBackMs = 300;

const QSize kDesignSize(twipsToPixels(layout::kClientWidthTwips),
                        twipsToPixels(layout::kClientHeightTwips));

} // namespace

void takeKeyboardBack(QWidget& window) {
    window.activateWindow();
    if (!desktop::onX11())
        return;
    // Qt hears of the keyboard a moment after the box has gone: only then is it missed.
    QTimer::singleShot(kKeyboardBackMs, &window, [&window] {
        if (QGuiApplication::focusWindow() != nullptr || !window.isVisible() ||
            QApplication::activeModalWidget() != nullptr)
            return;
        if (desktop::giveKeyboardAgain(window))
            qCDebug(lcScreen) << "the keyboard is back on X but Qt missed it: given again";
    });
}

ScreenFit::ScreenFit(QMainWindow& window, ClientArea& client)
    : QObject(&window), m_window(window), m_client(client) {
    // No maximise button: the window's size is its own (see fixSize).
    m_window.setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    m_window.installEventFilter(this);
    m_answerTimer.setInterval(20);
    connect(&m_answerTimer, &QTimer::timeout, this, [this] {
        if (!m_asked || m_askDeadline.hasExpired()) {
            m_answerTimer.stop();
            return;
        }
        if (desktop::desktopMadeFull(m_window) == m_askedFull) {
            m_answerTimer.stop();
            answered(m_askedFull);
        }
    });
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
// late would be taken for the state. An X window manager's answer may likewise come after the
// next request and undo it. So one request at a time: the next is asked for once the desktop
// has answered with the state asked for (answered).
void ScreenFit::ask(bool full) {
    // A window manager refuses full screen to a window that says it cannot grow.
    if (full)
        letGrow();
    m_wanted = full;
    // An X window manager answers in the window's _NET_WM_STATE, read from the X server itself:
    // Qt reports a change of it only where it differs from the last it reported.
    const bool xAnswers = desktop::onX11() && m_window.isVisible() && desktop::windowManagerRuns();
    if (xAnswers)
        m_reportedFull = desktop::desktopMadeFull(m_window);
    m_asked = (onWayland() || xAnswers) && m_reportedFull != full;
    m_askedFull = full;
    if (m_asked)
        m_askDeadline.setRemainingTime(kAnswerMs);
    if (m_asked && xAnswers)
        m_answerTimer.start();
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
    qCDebug(lcScreen) << "full screen" << full << "was" << m_full;
    if (full == m_full)
        return;
    m_full = full;
    if (full) {
        // Where the normal window lies now, if it was still settling when full screen came.
        if (m_placePending && !m_shownNormal)
            recordPlace();
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
    if (desktop::onX11() && m_window.windowHandle())
        m_window.windowHandle()->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

// The largest scale, up to 1, at which the window and its frame fit the screen's free area.
void ScreenFit::fitNormal() {
    if (m_full || m_window.screen() == nullptr)
        return;
    const QRect room = m_window.screen()->availableGeometry();
    const QMargins frame = normalFrame().value_or(
        QMargins(m_window.geometry().left() - m_window.frameGeometry().left(),
                 m_window.geometry().top() - m_window.frameGeometry().top(),
                 m_window.frameGeometry().right() - m_window.geometry().right(),
                 m_window.frameGeometry().bottom() - m_window.geometry().bottom()));
    const int frameWidth = frame.left() + frame.right();
    const int frameHeight = frame.top() + frame.bottom();
    // The menu bar as it will be laid out: before its first layout its height is a guess.
    const int menu =
        m_window.menuBar() ? qMax(m_window.menuBar()->height(), m_window.menuBar()->sizeHint().height()) : 0;
    // Where Qt scales by a factor that is not whole, it asks the window manager for sizes in
    // steps of whole device pixels (2 at 150 %), and a window manager may make the window a
    // few device pixels larger than asked to meet the step (metacity: 3): what it added, once
    // the window has settled (placeWhole), is kept free.
    const double scale =
        qMin(1.0, qMin(double(room.width() - frameWidth - m_grown.width()) / kDesignSize.width(),
                       double(room.height() - frameHeight - menu - m_grown.height()) /
                           kDesignSize.height()));
    if (scale <= 0 || scale == m_normalScale)
        return;
    qCDebug(lcScreen) << "fit: free" << room << "frame" << frame << "menu bar" << menu << "scale"
                      << scale;
    m_normalScale = scale;
    startPlacing();
    fixSize();
}

// How much larger, in Qt's pixels rounded up, the desktop has made the fixed-size window than
// it was asked to be.
QSize ScreenFit::grownByDesktop() const {
    QWindow* window = m_window.windowHandle();
    const std::optional<QSize> real = window ? desktop::clientSize(m_window) : std::nullopt;
    if (!real || m_window.minimumSize() != m_window.maximumSize())
        return {};
    const double ratio = window->devicePixelRatio();
    const QSize asked = m_window.minimumSize();
    // A step's rounding is a few device pixels; more is a change of size not yet made.
    const int most = 2 * qCeil(ratio) + 1;
    const auto over = [ratio, most](int got, int wanted) {
        const int more = got - qCeil(wanted * ratio);
        return more > 0 && more <= most ? qCeil(more / ratio) : 0;
    };
    return QSize(over(real->width(), asked.width()), over(real->height(), asked.height()));
}

// Where the normal window's frame belongs, with the frame it has: where it was (centred if it
// never was), and whole on the screen.
QRect ScreenFit::place(const QMargins& frameMargins) const {
    const QRect room = m_window.screen()->availableGeometry();
    QRect frame = m_window.geometry().marginsAdded(frameMargins);
    if (m_shownNormal)
        frame.moveTopLeft(m_normalPlace);
    else if (m_centre)
        frame.moveCenter(room.center());
    frame.moveLeft(qMax(room.left(), qMin(frame.left(), room.right() + 1 - frame.width())));
    frame.moveTop(qMax(room.top(), qMin(frame.top(), room.bottom() + 1 - frame.height())));
    return frame;
}

// The window is placed by what the X server has, not by what Qt last heard: right after a
// change Qt's idea of the frame lags behind, and a place taken from it is off by the frame.
void ScreenFit::placeWhole() {
    // A Wayland compositor places windows itself, and tells nobody where.
    if (!m_placePending || m_full || !desktop::onX11() || !m_window.isVisible())
        return;
    const std::optional<QMargins> frame =
        m_window.windowHandle()->isExposed() ? normalFrame() : std::nullopt;
    if (frame) {
        const QPoint target = place(*frame).topLeft() + QPoint(frame->left(), frame->top());
        qCDebug(lcScreen) << "placing: client at" << clientOnX().value_or(QPoint(-1, -1))
                          << "belongs at" << target << "frame" << *frame;
        // The window manager may put back a place of its own once more, some time after it
        // has said the window is no longer full screen (metacity and mutter put back where a
        // window that started full screen first lay): settled once the window has stayed
        // where it belongs for a while.
        if (clientOnX() == target) {
            if (!m_placedFor.isValid())
                m_placedFor.start();
            if (m_placedFor.hasExpired(kStayMs)) {
                m_placePending = false;
                m_centre = false;
                // Settled: only now does a size larger than asked come from the window manager,
                // not from a change still on its way.
                const QSize grown = grownByDesktop();
                if (grown.width() > m_grown.width() || grown.height() > m_grown.height()) {
                    m_grown = m_grown.expandedTo(grown);
                    qCDebug(lcScreen) << "fit: the window manager made the window larger by" << grown;
                    fitNormal();
                }
                return;
            }
        } else {
            m_placedFor.invalidate();
            if (!m_placeDeadline.hasExpired())
                moveClient(target);
        }
    }
    // A busy window manager may take seconds to frame it; after that the window stays where
    // it is.
    if (m_placeDeadline.hasExpired()) {
        qCDebug(lcScreen) << "placing: given up";
        m_placePending = false;
        return;
    }
    m_settleTimer.start();
}

// The frame the window manager has given the normal window, in Qt's pixels, once it has: not
// while the desktop still has the window full screen. A frame of nothing counts only where the
// window never had a border (kwin without its decorations, a kiosk's settings): elsewhere it is
// full screen's, not yet replaced.
std::optional<QMargins> ScreenFit::normalFrame() {
    if (!desktop::windowManagerRuns())
        return QMargins();
    if (!desktop::onX11() || desktop::desktopMadeFull(m_window))
        return std::nullopt;
    const std::vector<uint32_t> x = desktop::frameExtents(m_window);
    if (x.size() != 4)
        return std::nullopt;
    const bool none = x == std::vector<uint32_t>(4, 0);
    if (none && m_hadBorder)
        return std::nullopt;
    m_hadBorder = m_hadBorder || !none;
    // left, right, top, bottom, in device pixels
    const double ratio = m_window.windowHandle()->devicePixelRatio();
    // (rounded up: a frame a part of a pixel larger than the screen is not whole on it)
    return QMargins(qCeil(x[0] / ratio), qCeil(x[2] / ratio), qCeil(x[1] / ratio),
                    qCeil(x[3] / ratio));
}

// Where the X server has the window's client area, in Qt's pixels.
std::optional<QPoint> ScreenFit::clientOnX() const {
    return desktop::clientPlace(m_window);
}

// Puts the client area there. Where Qt still has it there already, it would not ask again: the
// X server is asked directly.
void ScreenFit::moveClient(const QPoint& target) {
    QWindow* window = m_window.windowHandle();
    if (window->position() != target) {
        window->setPosition(target);
        return;
    }
    desktop::moveClient(m_window, target);
}

// The normal window's place, its frame's top left, as it lies now.
void ScreenFit::recordPlace() {
    if (!m_window.isVisible() || !m_window.windowHandle()->isExposed())
        return;
    if (!desktop::onX11()) {
        m_normalPlace = m_window.pos();
        m_shownNormal = true;
        return;
    }
    const std::optional<QMargins> frame = normalFrame();
    const std::optional<QPoint> client = clientOnX();
    if (frame && client) {
        m_normalPlace = *client - QPoint(frame->left(), frame->top());
        qCDebug(lcScreen) << "the normal window lies at" << m_normalPlace << "size" << m_window.size()
                          << "menu bar" << (m_window.menuBar() ? m_window.menuBar()->geometry() : QRect());
        m_shownNormal = true;
    }
}

void ScreenFit::startPlacing() {
    m_placePending = true;
    m_placedFor.invalidate();
    m_placeDeadline.setRemainingTime(kPlacingMs);
}

bool ScreenFit::desktopPlacesWindows() const {
    return !desktop::onX11() || desktop::windowManagerRuns();
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
    // The desktop is making the window full screen: Qt hears of it next. Putting the normal
    // window back meanwhile would undo it.
    if (desktop::onX11() && m_window.isVisible() && desktop::windowManagerRuns() && desktop::desktopMadeFull(m_window)) {
        if (!m_placeDeadline.hasExpired())
            m_settleTimer.start(); // or it was on its way out of full screen: look again
        return;
    }
    fitNormal();
    placeWhole();
    if (!m_placePending)
        recordPlace();
    // Its limits told the window manager that it may grow: it keeps its own size all the same.
    if (m_window.size() != m_window.minimumSize() &&
        m_window.minimumSize() == m_window.maximumSize() &&
        !(m_window.windowState() & Qt::WindowMaximized))
        m_window.resize(m_window.minimumSize());
}

} // namespace brindora
