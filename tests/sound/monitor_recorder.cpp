// parec writes raw 16-bit mono from the sink's monitor into a pipe read by a thread.
#include "monitor_recorder.h"

#include "pulse_server.h"

#include <unistd.h>

MonitorRecorder::~MonitorRecorder() {
    stop();
}

std::string MonitorRecorder::start(const PulseServer& server) {
    {
        std::lock_guard lock(m_mutex); // a new recording, as after a restart of the server
        m_samples.clear();
        m_origin = Clock::time_point::max();
    }
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return "cannot make a pipe";
    const std::vector<std::string> parec = {"parec",
                                            "--raw",
                                            "--format=s16le",
                                            "--channels=1",
                                            "--rate=" + std::to_string(kRate),
                                            "--latency-msec=10",
                                            "--device=" + std::string(PulseServer::kSink) +
                                                ".monitor"};
    const bool started = m_parec.start(parec, server.clientEnvironment(), -1, pipeFds[1],
                                       server.folder() + "/parec.log");
    close(pipeFds[1]);
    if (!started) {
        close(pipeFds[0]);
        return "cannot start parec";
    }
    m_fd = pipeFds[0];
    m_reader = std::thread([this] { readLoop(m_fd); });
    // Wait for the first samples, so that what follows is surely recorded.
    // The limit only guards against a hang: a busy machine may take seconds.
    for (int i = 0; i < 1000; ++i) {
        if (!samples().empty())
            return {};
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "parec delivered nothing within 10 s";
}

void MonitorRecorder::stop() {
    m_parec.stop();
    if (m_reader.joinable())
        m_reader.join(); // parec's end closes the pipe
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
}

void MonitorRecorder::readLoop(int fd) {
    char buffer[4096];
    std::string pending;
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0)
            return;
        const Clock::time_point now = Clock::now();
        pending.append(buffer, std::size_t(got));
        std::lock_guard lock(m_mutex);
        for (std::size_t i = 0; i + 1 < pending.size(); i += 2)
            m_samples.push_back(
                std::int16_t(std::uint8_t(pending[i]) | (std::uint8_t(pending[i + 1]) << 8)));
        pending.erase(0, pending.size() & ~std::size_t(1));
        const auto span = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(double(m_samples.size()) / kRate));
        m_origin = std::min(m_origin, now - span);
    }
}

std::vector<std::int16_t> MonitorRecorder::samples() const {
    std::lock_guard lock(m_mutex);
    return m_samples;
}

MonitorRecorder::Clock::time_point MonitorRecorder::timeOf(std::size_t index) const {
    std::lock_guard lock(m_mutex);
    return m_origin + std::chrono::duration_cast<Clock::duration>(
                          std::chrono::duration<double>(double(index) / kRate));
}

std::size_t MonitorRecorder::indexAt(Clock::time_point time) const {
    std::lock_guard lock(m_mutex);
    if (time <= m_origin)
        return 0;
    return std::size_t(std::chrono::duration<double>(time - m_origin).count() * kRate);
}
