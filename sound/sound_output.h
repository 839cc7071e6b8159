// The platform's output for one recording at a time, after the game's own checks passed: on
// Linux libsndfile decodes and PulseAudio plays (pulse_output.cpp), on Windows winmm's
// PlaySoundW (winmm_output.cpp). Both return at once, are silent on any failure and cut the
// sound that is playing when a new one starts.
#pragma once

#include "silence_report.h"
#include "wav_check.h"

#include <functional>
#include <memory>
#include <string>

namespace brindora {

// A recording the game has found and checked: a whole WAV file in a plain encoding.
struct CheckedRecording {
    std::string path; // as found, in UTF-8
    WavFormat format;
};

class SoundOutput {
public:
    // Told when a checked recording still cannot be played: its path, why and the system's
    // own words. May be called from another thread.
    using Silent =
        std::function<void(const std::string& path, Silence why, const std::string& reason)>;

    explicit SoundOutput(Silent silent);
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Ends the sound that is playing and starts this one; never waits for it.
    void play(const CheckedRecording& recording);
    void stop();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace brindora
