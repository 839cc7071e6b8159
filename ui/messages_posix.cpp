// Linux: standard error is the teacher's terminal, or the desktop's journal.
#include "messages.h"

#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace brindora::messages {

namespace {

// What the libraries write meanwhile is held in memory, not on disk.
int g_realStderr = -1;
int g_heldStderr = -1;

} // namespace

void begin() {}

std::string logFile() {
    return {};
}

void holdStartupOutput() {
    std::fflush(stderr);
    g_heldStderr = memfd_create("brindora-stderr", 0);
    g_realStderr = g_heldStderr < 0 ? -1 : dup(STDERR_FILENO);
    if (g_realStderr >= 0)
        dup2(g_heldStderr, STDERR_FILENO);
}

void releaseStartupOutput() {
    if (g_realStderr < 0)
        return;
    std::fflush(stderr);
    dup2(g_realStderr, STDERR_FILENO);
    char buffer[4096];
    lseek(g_heldStderr, 0, SEEK_SET);
    for (ssize_t n; (n = read(g_heldStderr, buffer, sizeof buffer)) > 0;)
        if (write(STDERR_FILENO, buffer, std::size_t(n)) < 0)
            break;
    close(g_heldStderr);
    close(g_realStderr);
    g_realStderr = -1;
}

void writeError(const std::string& line) {
    const int fd = g_realStderr >= 0 ? g_realStderr : STDERR_FILENO;
    if (write(fd, line.data(), line.size()) < 0) {
        // nowhere left to tell it
    }
}

void leaveNow(int code) {
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(code);
}

} // namespace brindora::messages
