// fork and exec, with everything the child needs prepared before the fork.
#include "child_process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (auto& s : strings)
        out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

} // namespace

ChildProcess::~ChildProcess() {
    stop();
}

bool ChildProcess::start(const std::vector<std::string>& argv,
                         const std::vector<std::string>& environment, int input, int output,
                         const std::string& errorFile) {
    std::vector<std::string> args = argv;
    std::vector<std::string> env = environment;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e); // ours come first, so they win over inherited ones
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(env);
    const int null = open("/dev/null", O_RDWR | O_CLOEXEC);
    const int error = errorFile.empty() ? null
                                        : open(errorFile.c_str(),
                                               O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid == 0) {
        // The helper must not outlive the test, whatever way the test ends.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(126);
        dup2(input >= 0 ? input : null, 0);
        dup2(output >= 0 ? output : null, 1);
        dup2(error >= 0 ? error : null, 2);
        execvpe(argp[0], argp.data(), envp.data());
        _exit(127);
    }
    close(null);
    if (error >= 0 && error != null)
        close(error);
    return m_pid > 0;
}

bool ChildProcess::running() {
    if (m_pid <= 0)
        return false;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = -1;
        return false;
    }
    return true;
}

int ChildProcess::wait() {
    if (m_pid <= 0)
        return -1;
    int status = 0;
    while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ChildProcess::signal(int number) {
    if (m_pid > 0)
        kill(m_pid, number);
}

void ChildProcess::stop() {
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    for (int i = 0; i < 100 && running(); ++i)
        usleep(20000);
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        wait();
    }
}

bool runQuietly(const std::vector<std::string>& argv, const std::vector<std::string>& environment) {
    ChildProcess child;
    return child.start(argv, environment, -1, -1, "") && child.wait() == 0;
}

void withoutRootsRights(const std::function<void()>& body) {
    std::thread([&] {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct caps[2]{};
        if (syscall(SYS_capget, &header, caps) == 0) {
            caps[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
            syscall(SYS_capset, &header, caps);
        }
        body();
    }).join();
}
