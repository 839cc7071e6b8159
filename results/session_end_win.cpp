// Windows calls the console handler on a thread of its own, and ends the process when it
// returns (or after a few seconds): the last rows are written before it returns.
#include "session_end.h"

#include <windows.h>

namespace brindora {

namespace {

std::function<void()>* g_last = nullptr;

BOOL WINAPI onConsole(DWORD event) {
    if (g_last == nullptr || (event != CTRL_CLOSE_EVENT && event != CTRL_LOGOFF_EVENT &&
                              event != CTRL_SHUTDOWN_EVENT && event != CTRL_BREAK_EVENT))
        return FALSE;
    (*g_last)();
    ExitProcess(1);
}

} // namespace

struct SessionEnd::Watch {
    std::function<void()> last;
};

SessionEnd::SessionEnd(std::function<void()> last) : m_watch(std::make_unique<Watch>()) {
    m_watch->last = std::move(last);
    g_last = &m_watch->last;
    SetConsoleCtrlHandler(onConsole, TRUE);
}

SessionEnd::~SessionEnd() {
    SetConsoleCtrlHandler(onConsole, FALSE);
    g_last = nullptr;
}

} // namespace brindora
