// A helper program started for the sound tests; it dies with the test, even on a crash.
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // Starts argv[0] (looked up in PATH) with these extra NAME=value settings; its standard
    // input and output are the given descriptors (-1: /dev/null), its errors go to errorFile.
    bool start(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
               int input, int output, const std::string& errorFile);
    bool running();
    int wait();              // exit status, or -1
    void signal(int number); // sends it, if still running
    void stop();

private:
    pid_t m_pid = -1;
};

// Runs a program to its end and tells whether it exited with 0.
bool runQuietly(const std::vector<std::string>& argv, const std::vector<std::string>& environment);

// Runs `body` on a thread without root's power to read or write any file, so that a locked
// file or a read-only folder is what it is to a teacher's own account. Capabilities belong
// to each thread, and threads started from it inherit them.
void withoutRootsRights(const std::function<void()>& body);
