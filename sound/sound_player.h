// suona: plays one WAV file at a time, returns at once, silent on any failure, and says on
// standard error why a recording stays silent.
#pragma once

#include "silence_report.h"
#include "sound_output.h"

#include <optional>
#include <string>

namespace brindora {

class SoundPlayer {
public:
    // report: where the reasons for silence go, one line each (standard error by default).
    explicit SoundPlayer(SilenceReport::Sink report = SilenceReport::toStandardError);

    // Starts the file at this full path (looked up ignoring letter case) and returns while it
    // plays. A new call stops the sound that is playing, whether or not its own file can be
    // played; a missing or unplayable file plays nothing.
    void suona(const std::string& path);
    void stop();

private:
    SilenceReport m_report; // before m_output, which reports from its own thread
    SoundOutput m_output;
};

// The checks suona makes before anything reaches the platform's output: the file looked up,
// a whole WAV file in an encoding and channel count the game plays. Nothing, with the reason
// told to `report`, otherwise.
std::optional<CheckedRecording> checkRecording(const std::string& path, SilenceReport& report);

// The most channels a recording may have: what PulseAudio can place (PA_CHANNELS_MAX).
constexpr unsigned kMaxChannels = 32;

} // namespace brindora
