// Desktops where Qt's own idea of the window is the desktop's (Windows, Wayland builds without
// X): the window is always managed, and nothing is asked behind Qt's back.
#include "screen_desktop.h"

namespace brindora::desktop {

bool onX11() {
    return false;
}

bool windowManagerRuns() {
    return true;
}

bool desktopMadeFull(const QWidget&) {
    return false;
}

std::vector<std::uint32_t> frameExtents(const QWidget&) {
    return {};
}

std::optional<QPoint> clientPlace(const QWidget&) {
    return std::nullopt;
}

std::optional<QSize> clientSize(const QWidget&) {
    return std::nullopt;
}

void moveClient(QWidget&, const QPoint&) {}

bool giveKeyboardAgain(QWidget&) {
    return false;
}

} // namespace brindora::desktop
