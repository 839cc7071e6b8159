// A private PulseAudio server for the whole test program, a recorder on its sink and the
// game's SoundPlayer for each test, and the moves every playback test makes.
#pragma once

#include "monitor_recorder.h"
#include "sound_player.h"
#include "sound_track.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

constexpr double kAudible = 0.01; // -40 dBFS
constexpr double kLowHertz = 300;
constexpr double kHighHertz = 2000;

// What one call of suona gave.
struct Play {
    bool heard = false;
    std::size_t calledAt = 0; // recorded sample playing when suona was called
    std::size_t onset = 0;    // first audible sample after the call
    double callMs = 0;        // time spent inside suona
    double delayMs = 0;       // from the call to the first audible sample
};

class Playback : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Calls suona(path), then keeps Qt's event loop running for `listen`. A call that does
    // not return within 5 s ends the test program with a message: the player hangs.
    Play playAndListen(const std::string& path, std::chrono::milliseconds listen);
    void stopPlayer();
    // Waits until the sink has been silent for 200 ms.
    void waitForSilence();
    // A sine in <scratch folder>/Europa/<name>, at the game's own sample rate.
    std::string writeTone(const std::string& name, double hertz, double seconds);
    SoundTrack track() const;

    MonitorRecorder m_recorder;
    brindora::SoundPlayer m_player;
    std::string m_folder; // a scratch program folder, removed after the test
};
