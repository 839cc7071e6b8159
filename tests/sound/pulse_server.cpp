// pulseaudio in the foreground, as root too, reachable only through its own socket.
#include "pulse_server.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

PulseServer::~PulseServer() {
    stop();
}

namespace {

bool inPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

} // namespace

std::string PulseServer::start() {
    for (const char* program : {"pulseaudio", "pactl", "pacat", "parec"}) {
        if (!inPath(program))
            return std::string(program) +
                   " is not installed (Debian packages pulseaudio and pulseaudio-utils)";
    }
    if (m_folder.empty()) {
        char pattern[] = "/tmp/brindora-pulse-XXXXXX";
        if (!mkdtemp(pattern))
            return "cannot make a folder for the PulseAudio server";
        m_folder = pattern;
    }
    const std::string socket = m_folder + "/native";
    // No autospawn: a client that misses this server must fail, not start another one.
    std::ofstream(m_folder + "/client.conf") << "autospawn = no\n";
    m_clientEnvironment = {"PULSE_SERVER=unix:" + socket,
                           "PULSE_CLIENTCONFIG=" + m_folder + "/client.conf",
                           "PULSE_COOKIE=" + m_folder + "/cookie"};
    const std::vector<std::string> serverEnvironment = {
        "HOME=" + m_folder, "XDG_RUNTIME_DIR=" + m_folder, "PULSE_RUNTIME_PATH=" + m_folder,
        "PULSE_STATE_PATH=" + m_folder, "PULSE_COOKIE=" + m_folder + "/cookie"};
    const std::vector<std::string> server = {
        "pulseaudio",
        "--daemonize=no",
        "--system=false",
        "--exit-idle-time=-1",
        "-n",
        "--use-pid-file=no",
        "--disallow-exit",
        "--log-level=notice",
        "--load=module-null-sink sink_name=" + std::string(kSink),
        "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket};
    if (!m_server.start(server, serverEnvironment, -1, -1, m_folder + "/server.log"))
        return "cannot start pulseaudio";

    std::vector<std::string> info = {"pactl", "info"};
    bool ready = false;
    for (int i = 0; i < 100 && !ready; ++i) {
        if (!m_server.running())
            return "pulseaudio exited at start-up:\n" + log();
        ready = runQuietly(info, m_clientEnvironment);
        if (!ready)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!ready)
        return "pulseaudio did not answer within 10 s:\n" + log();

    // A stream of zeros keeps the sink rendering in small steps all the time.
    const std::vector<std::string> zeros = {"pacat", "--playback", "--raw",
                                            "--device=" + std::string(kSink), "--latency-msec=20"};
    const int zero = open("/dev/zero", O_RDONLY | O_CLOEXEC);
    const bool started =
        m_keepAlive.start(zeros, m_clientEnvironment, zero, -1, m_folder + "/keepalive.log");
    close(zero);
    if (!started)
        return "cannot start pacat";
    return {};
}

void PulseServer::halt() {
    m_keepAlive.stop();
    m_server.stop();
}

void PulseServer::stop() {
    halt();
    if (!m_folder.empty()) {
        std::error_code ec;
        fs::remove_all(m_folder, ec);
        m_folder.clear();
    }
}

std::string PulseServer::log() const {
    std::ifstream in(m_folder + "/server.log");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
