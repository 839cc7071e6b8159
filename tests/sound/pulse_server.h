// A private PulseAudio server with one null sink, for hearing what the game plays.
#pragma once

#include "child_process.h"

#include <string>
#include <vector>

class PulseServer {
public:
    static constexpr const char* kSink = "nullsink";

    PulseServer() = default;
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;
    ~PulseServer();

    // Starts the server in a folder of its own and keeps its sink running; started again
    // after halt(), it listens on the same socket. Empty on success, otherwise why it failed
    // (with the server's own log).
    std::string start();
    // Ends the server as a crash or a restart of the desktop's sound would, keeping its folder.
    void halt();
    void stop();

    // NAME=value settings that lead a client (pacat, Qt) to this server and no other.
    const std::vector<std::string>& clientEnvironment() const { return m_clientEnvironment; }
    const std::string& folder() const { return m_folder; }

private:
    std::string log() const;

    std::string m_folder;
    std::vector<std::string> m_clientEnvironment;
    ChildProcess m_server;
    ChildProcess m_keepAlive;
};
