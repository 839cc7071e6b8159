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
      m_output([this](const std::string& path, Silence why, const std::string& reason) {
          m_report.silent(path, why, reason);
      }) {}

void SoundPlayer::suona(const std::string& path) {
    if (std::unique_ptr<DecodedFile> sound = openRecording(path, m_report))
        m_output.play(std::move(sound));
    else
        m_output.stop(); // a new call always ends the sound before it
}

void SoundPlayer::stop() {
    m_output.stop();
}

std::unique_ptr<DecodedFile> openRecording(const std::string& path, SilenceReport& report) {
    const RecordingLookup found = path.empty() ? RecordingLookup{} : lookUpRecording(path);
    switch (found.result) {
    case LookupResult::NoFolder:
        report.silent(found.path, Silence::FolderMissing);
        return nullptr;
    case LookupResult::NoFile:
        report.silent(path, Silence::Missing);
        return nullptr;
    case LookupResult::NotSearchable:
        report.silent(path, Silence::Unreadable, found.detail);
        return nullptr;
    case LookupResult::Found:
        break;
    }
    std::error_code ec;
    if (!fs::is_regular_file(found.path, ec)) {
        report.silent(found.path, Silence::Unreadable, "not a file");
        return nullptr;
    }
    {
        std::ifstream in(found.path, std::ios::binary);
        if (!in) {
            report.silent(found.path, Silence::Unreadable, std::strerror(errno));
            return nullptr;
        }
        const std::optional<WavChunks> chunks = findWavChunks(in);
        if (!chunks) {
            report.silent(found.path, Silence::NotCompleteWav);
            return nullptr;
        }
        // Only the plain encodings reach a decoder: the file's own word for it, first.
        const std::optional<WavFormat> format = readWavFormat(in, *chunks);
        if (!format || !isPlayableEncoding(*format) || format->channels == 0) {
            report.silent(found.path, Silence::UnknownFormat);
            return nullptr;
        }
        if (format->channels > PA_CHANNELS_MAX) {
            report.silent(found.path, Silence::TooManyChannels, std::to_string(format->channels));
            return nullptr;
        }
    }
    auto sound = std::make_unique<DecodedFile>();
    sound->path = found.path;
    sound->file = sf_open(found.path.c_str(), SFM_READ, &sound->info);
    if (!sound->file) {
        report.silent(found.path, Silence::UnknownFormat, sf_strerror(nullptr));
        return nullptr;
    }
    // The reader must have seen the file as the check did (it could not otherwise: this is
    // a second lock on the same door).
    const int major = sound->info.format & SF_FORMAT_TYPEMASK;
    const int subtype = sound->info.format & SF_FORMAT_SUBMASK;
    const bool plain = subtype == SF_FORMAT_PCM_U8 || subtype == SF_FORMAT_PCM_S8 ||
                       subtype == SF_FORMAT_PCM_16 || subtype == SF_FORMAT_PCM_24 ||
                       subtype == SF_FORMAT_PCM_32 || subtype == SF_FORMAT_FLOAT ||
                       subtype == SF_FORMAT_DOUBLE;
    if ((major != SF_FORMAT_WAV && major != SF_FORMAT_WAVEX) || !plain ||
        sound->info.channels < 1) {
        report.silent(found.path, Silence::UnknownFormat);
        return nullptr;
    }
    if (sound->info.channels > int(PA_CHANNELS_MAX)) {
        report.silent(found.path, Silence::TooManyChannels, std::to_string(sound->info.channels));
        return nullptr;
    }
    if (sound->info.samplerate < 1 || std::uint32_t(sound->info.samplerate) > PA_RATE_MAX) {
        report.silent(found.path, Silence::UnknownFormat,
                      std::to_string(sound->info.samplerate) + " Hz");
        return nullptr;
    }
    // Float samples come out at full scale, not as the -1 to 1 they are stored at.
    if (subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE)
        sf_command(sound->file, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
    return sound;
}

} // namespace brindora
