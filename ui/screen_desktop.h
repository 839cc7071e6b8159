// What the game asks of the desktop itself, where Qt's own idea of the window lags behind:
// on X the X server's (screen_fit_x11.cpp); elsewhere nothing beyond Qt (screen_fit_none.cpp).
#pragma once

#include <QPoint>
#include <QSize>

#include <cstdint>
#include <optional>
#include <vector>

class QWidget;

namespace brindora::desktop {

// The game runs on an X server (Qt's xcb platform).
bool onX11();
// A window manager that follows the desktop conventions runs (true where windows are always
// managed).
bool windowManagerRuns();
// The window manager has made the window full screen, though Qt may not have heard yet.
bool desktopMadeFull(const QWidget& window);
// The window's frame as the window manager gives it: left, right, top, bottom in device
// pixels; empty when it has said nothing.
std::vector<std::uint32_t> frameExtents(const QWidget& window);
// Where the desktop has the window's client area, in Qt's pixels.
std::optional<QPoint> clientPlace(const QWidget& window);
// The client area's size as the desktop has it, in device pixels.
std::optional<QSize> clientSize(const QWidget& window);
// Puts the client area there by asking the desktop directly.
void moveClient(QWidget& window, const QPoint& target);
// The keyboard is on the window for the desktop while Qt has not heard: it is given away and
// back, so that Qt hears. True when it was.
bool giveKeyboardAgain(QWidget& window);

} // namespace brindora::desktop
