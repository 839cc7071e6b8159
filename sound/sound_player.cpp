// The checks on the game's thread, which say why a file is silent; the playing elsewhere.
#include "sound_player.h"

#include "recording_lookup.h"
#include "wav_check.h"

#include <pulse/sample.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace brindora {

SoundPlayer::SoundPlayer(SilenceReport::Sink report)
    : m_report(std::move(report)),
      m_output([this](const std::string& path, const std::string& reason) {
          m_report.silent(path, Silence::NoSoundServer, reason);
      }) {}

void SoundPlayer::suona(const std::string& path) {
    if (std::unique_ptr<DecodedFile> sound = open(path))
        m_output.play(std::move(sound));
    else
        m_output.stop(); // a new call always ends the sound before it
}

void SoundPlayer::stop() {
    m_output.stop();
}

std::unique_ptr<DecodedFile> SoundPlayer::open(const std::string& path) {
    const RecordingLookup found = path.empty() ? RecordingLookup{} : lookUpRecording(path);
    switch (found.result) {
    case LookupResult::NoFolder:
        m_report.silent(found.path, Silence::FolderMissing);
        return nullptr;
    case LookupResult::NoFile:
        m_report.silent(path, Silence::Missing);
        return nullptr;
    case LookupResult::NotSearchable:
        m_report.silent(path, Silence::Unreadable, found.detail);
        return nullptr;
    case LookupResult::Found:
        break;
    }
    std::error_code ec;
    if (!fs::is_regular_file(found.path, ec)) {
        m_report.silent(found.path, Silence::Unreadable, "not a file");
        return nullptr;
    }
    {
        std::ifstream in(found.path, std::ios::binary);
        if (!in) {
            m_report.silent(found.path, Silence::Unreadable, std::strerror(errno));
            return nullptr;
        }
        if (!findWavChunks(in)) {
            m_report.silent(found.path, Silence::NotCompleteWav);
            return nullptr;
        }
    }
    auto sound = std::make_unique<DecodedFile>();
    sound->path = found.path;
    sound->file = sf_open(found.path.c_str(), SFM_READ, &sound->info);
    if (!sound->file) {
        m_report.silent(found.path, Silence::UnknownFormat, sf_strerror(nullptr));
        return nullptr;
    }
    if (sound->info.channels < 1 || sound->info.channels > int(PA_CHANNELS_MAX) ||
        sound->info.samplerate < 1 || std::uint32_t(sound->info.samplerate) > PA_RATE_MAX) {
        m_report.silent(found.path, Silence::UnknownFormat,
                        std::to_string(sound->info.channels) + " channels at " +
                            std::to_string(sound->info.samplerate) + " Hz");
        return nullptr;
    }
    return sound;
}

} // namespace brindora
