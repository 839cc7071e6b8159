// Records what the null sink plays, sample by sample, with when each sample was heard.
#pragma once

#include "child_process.h"

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class PulseServer;

class MonitorRecorder {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kRate = 44100; // mono

    MonitorRecorder() = default;
    MonitorRecorder(const MonitorRecorder&) = delete;
    MonitorRecorder& operator=(const MonitorRecorder&) = delete;
    ~MonitorRecorder();

    // Empty on success, otherwise why recording could not start.
    std::string start(const PulseServer& server);
    void stop();

    std::vector<std::int16_t> samples() const;
    // When sample `index` reached the sink's monitor, and the first sample heard at `time`.
    Clock::time_point timeOf(std::size_t index) const;
    std::size_t indexAt(Clock::time_point time) const;

private:
    void readLoop(int fd);

    ChildProcess m_parec;
    std::thread m_reader;
    int m_fd = -1;
    mutable std::mutex m_mutex;
    std::vector<std::int16_t> m_samples;
    // Each sample arrives after it was heard; the earliest arrival against its count gives
    // the best estimate of when sample 0 was heard.
    Clock::time_point m_origin = Clock::time_point::max();
};
