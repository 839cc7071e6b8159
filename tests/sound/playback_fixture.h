// A private PulseAudio server for the whole test program, a recorder on its sink and the
// game's SoundPlayer for each test, and the moves every playback test makes. Every wait is
// for something to be heard (or recorded), with a limit that only guards against a hang.
#pragma once

#include "monitor_recorder.h"
#include "sound_player.h"
#include "sound_track.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

constexpr double kAudible = 0.01; // -40 dBFS
constexpr double kLowHertz = 300;
constexpr double kHighHertz = 2000;
constexpr double kHangGuardSeconds = 5;

// Where one call of suona fell in the recording.
struct Call {
    std::size_t calledAt = 0;   // recorded sample playing when suona was called
    std::size_t returnedAt = 0; // ... and when it returned
};

class Playback : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Calls suona(path). A call that does not return within the guard ends the test program
    // with a message: the player hangs.
    Call call(const std::string& path);
    void stopPlayer();
    // Waits until the recording reaches `index`, or for the first sample from `from` on that
    // is audible, or that carries this tone; npos if the guard ran out first.
    void recordUpTo(std::size_t index);
    std::size_t waitForSound(std::size_t from);
    std::size_t waitForTone(double hertz, std::size_t from);
    // Waits until the sink has been silent for 200 ms.
    void waitForSilence();
    // Ends the server, then starts it again on the same socket, with a new recording.
    void haltServer();
    void startServerAgain();
    // A sine in <scratch folder>/Europa/<name>, at the game's own sample rate.
    std::string writeTone(const std::string& name, double hertz, double seconds);
    SoundTrack track() const;
    std::size_t samplesIn(double seconds) const {
        return std::size_t(seconds * MonitorRecorder::kRate);
    }
    // The lines the player wrote about silent recordings, so far.
    std::vector<std::string> reports() const;
    // Waits until some line holds all of these words; false if the guard ran out.
    bool waitForReport(const std::vector<std::string>& words) const;

    MonitorRecorder m_recorder;
    mutable std::mutex m_reportMutex;
    std::vector<std::string> m_reports;
    brindora::SoundPlayer m_player{[this](const std::string& line) {
        std::lock_guard lock(m_reportMutex);
        m_reports.push_back(line);
    }};
    std::string m_folder; // a scratch program folder, removed after the test
};

// Waits for the condition, checking every 10 ms, for the hang guard's time at most.
bool waitUntil(const std::function<bool()>& condition, double extraSeconds = 0);
