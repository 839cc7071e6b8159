// X11: the X server asked directly about the window (whether a window manager runs, the
// window's state, frame and place), where Qt's own idea of them lags behind.
#include "screen_desktop.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <QtMath>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace brindora::desktop {

namespace {

xcb_connection_t* xConnection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t xAtom(xcb_connection_t* c, const char* name) {
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// A property of an X window, as the 32-bit items it holds (windows, atoms, cardinals), as the
// X server has it now: not as this program last heard of it. Empty when the window has none.
std::vector<uint32_t> xProperty(xcb_window_t window, const char* name, xcb_atom_t type) {
    xcb_connection_t* c = xConnection();
    const xcb_atom_t atom = c != nullptr ? xAtom(c, name) : xcb_atom_t(XCB_ATOM_NONE);
    if (atom == XCB_ATOM_NONE)
        return {};
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, atom, type, 0, 64), nullptr),
        &std::free);
    if (!reply || reply->format != 32)
        return {};
    const auto* items = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return std::vector<uint32_t>(items, items + xcb_get_property_value_length(reply.get()) / 4);
}

} // namespace

bool onX11() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// A window manager that follows the desktop conventions names its own window on the root
// window, and that window names itself too.
bool windowManagerRuns() {
    xcb_connection_t* c = xConnection();
    if (c == nullptr)
        return true;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem > 0; xcb_screen_next(&it)) {
        const std::vector<uint32_t> wm =
            xProperty(it.data->root, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW);
        if (!wm.empty() && xProperty(wm[0], "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW) == wm)
            return true;
    }
    return false;
}

// The window manager has made the window full screen, though Qt may not have heard yet: some
// (icewm, xfwm4) give the window the screen's size before they say why.
bool desktopMadeFull(const QWidget& window) {
    xcb_connection_t* c = xConnection();
    const xcb_atom_t full =
        c != nullptr ? xAtom(c, "_NET_WM_STATE_FULLSCREEN") : xcb_atom_t(XCB_ATOM_NONE);
    const std::vector<uint32_t> state = xProperty(window.winId(), "_NET_WM_STATE", XCB_ATOM_ATOM);
    return full != XCB_ATOM_NONE && std::find(state.begin(), state.end(), full) != state.end();
}

std::vector<std::uint32_t> frameExtents(const QWidget& window) {
    return xProperty(window.winId(), "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
}

std::optional<QPoint> clientPlace(const QWidget& window) {
    xcb_connection_t* c = xConnection();
    if (c == nullptr || window.windowHandle() == nullptr)
        return std::nullopt;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> reply(
        xcb_translate_coordinates_reply(
            c, xcb_translate_coordinates(c, window.winId(), root, 0, 0), nullptr),
        &std::free);
    if (!reply)
        return std::nullopt;
    const double ratio = window.windowHandle()->devicePixelRatio();
    return QPoint(qRound(reply->dst_x / ratio), qRound(reply->dst_y / ratio));
}

std::optional<QSize> clientSize(const QWidget& window) {
    xcb_connection_t* c = xConnection();
    if (c == nullptr || !onX11())
        return std::nullopt;
    const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> reply(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window.winId()), nullptr), &std::free);
    if (!reply)
        return std::nullopt;
    return QSize(reply->width, reply->height);
}

void moveClient(QWidget& window, const QPoint& target) {
    xcb_connection_t* c = xConnection();
    if (c == nullptr || window.windowHandle() == nullptr)
        return;
    const double ratio = window.windowHandle()->devicePixelRatio();
    const uint32_t at[] = {uint32_t(qRound(target.x() * ratio)),
                           uint32_t(qRound(target.y() * ratio))};
    xcb_configure_window(c, window.winId(), XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, at);
    xcb_flush(c);
}

bool giveKeyboardAgain(QWidget& window) {
    xcb_connection_t* c = xConnection();
    if (c == nullptr)
        return false;
    const std::unique_ptr<xcb_get_input_focus_reply_t, decltype(&std::free)> focus(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr), &std::free);
    const auto id = xcb_window_t(window.winId());
    if (!focus || focus->focus != id)
        return false;
    // Giving the keyboard to the window it is on already tells nobody: away and back.
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, XCB_NONE, XCB_CURRENT_TIME);
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, id, XCB_CURRENT_TIME);
    xcb_flush(c);
    return true;
}

} // namespace brindora::desktop
