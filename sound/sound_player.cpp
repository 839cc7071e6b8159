// The checks on the game's thread, which say why a file is silent; the playing elsewhere.
#include "sound_player.h"

#include "recording_lookup.h"
#include "utf8_path.h"
#include "wav_check.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace brindora {

SoundPlayer::SoundPlayer(SilenceReport::Sink report)
    : m_report(std::move(report)),
      m_output([this](const std::string& path, Silence why, const std::string& reason) {
          m_report.silent(path, why, reason);
      }) {}

void SoundPlayer::suona(const std::string& path) {
    if (const std::optional<CheckedRecording> sound = checkRecording(path, m_report))
        m_output.play(*sound);
    else
        m_output.stop(); // a new call always ends the sound before it
}

void SoundPlayer::stop() {
    m_output.stop();
}

std::optional<CheckedRecording> checkRecording(const std::string& path, SilenceReport& report) {
    const RecordingLookup found = path.empty() ? RecordingLookup{} : lookUpRecording(path);
    switch (found.result) {
    case LookupResult::NoFolder:
        report.silent(found.path, Silence::FolderMissing);
        return std::nullopt;
    case LookupResult::NoFile:
        report.silent(path, Silence::Missing);
        return std::nullopt;
    case LookupResult::NotSearchable:
        report.silent(path, Silence::Unreadable, found.detail);
        return std::nullopt;
    case LookupResult::Found:
        break;
    }
    std::error_code ec;
    std::optional<WavFormat> format;
    if (!fs::is_regular_file(pathOf(found.path), ec)) {
        report.silent(found.path, Silence::Unreadable, "not a file");
        return std::nullopt;
    }
    {
        std::ifstream in(pathOf(found.path), std::ios::binary);
        if (!in) {
            report.silent(found.path, Silence::Unreadable, std::strerror(errno));
            return std::nullopt;
        }
        const std::optional<WavChunks> chunks = findWavChunks(in);
        if (!chunks) {
            report.silent(found.path, Silence::NotCompleteWav);
            return std::nullopt;
        }
        // Only the plain encodings reach a decoder: the file's own word for it, first.
        format = readWavFormat(in, *chunks);
        if (!format || !isPlayableEncoding(*format) || format->channels == 0) {
            report.silent(found.path, Silence::UnknownFormat);
            return std::nullopt;
        }
        if (format->channels > kMaxChannels) {
            report.silent(found.path, Silence::TooManyChannels, std::to_string(format->channels));
            return std::nullopt;
        }
    }
    return CheckedRecording{found.path, *format};
}

} // namespace brindora
