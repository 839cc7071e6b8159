// A signal only writes its number into a pipe; a thread reads it and does the rest.
#include "session_end.h"

#include <csignal>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace brindora {

namespace {

int g_pipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP};

void onSignal(int number) {
    const unsigned char byte = static_cast<unsigned char>(number);
    if (::write(g_pipe[1], &byte, 1) < 0) {
        // nothing to be done inside a signal handler
    }
}

} // namespace

struct SessionEnd::Watch {
    std::thread thread;
    struct sigaction before[2]{};
};

SessionEnd::SessionEnd(std::function<void()> last) : m_watch(std::make_unique<Watch>()) {
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC) != 0)
        return;
    m_watch->thread = std::thread([last = std::move(last)] {
        unsigned char number = 0;
        while (::read(g_pipe[0], &number, 1) < 0) {
        }
        if (number == 0)
            return; // the game ended first
        last();
        std::signal(number, SIG_DFL);
        std::raise(number);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 2; ++i)
        sigaction(kSignals[i], &action, &m_watch->before[i]);
}

SessionEnd::~SessionEnd() {
    if (!m_watch->thread.joinable())
        return;
    for (int i = 0; i < 2; ++i)
        sigaction(kSignals[i], &m_watch->before[i], nullptr);
    const unsigned char done = 0;
    if (::write(g_pipe[1], &done, 1) == 1)
        m_watch->thread.join();
    else
        m_watch->thread.detach();
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

} // namespace brindora
