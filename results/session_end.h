// The session ending under the game (logout, shutdown, a closed terminal): Linux's SIGTERM
// and SIGHUP, Windows' console close, logoff and shutdown (session_end_posix.cpp,
// session_end_win.cpp).
#pragma once

#include <functional>
#include <memory>

namespace brindora {

class SessionEnd {
public:
    // While this lives, the end of the session calls last (on a thread of its own), then the
    // program ends as the signal would have ended it.
    explicit SessionEnd(std::function<void()> last);
    ~SessionEnd();
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

    struct Watch;

private:
    std::unique_ptr<Watch> m_watch;
};

} // namespace brindora
