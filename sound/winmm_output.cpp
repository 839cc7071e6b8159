// Windows: winmm's PlaySoundW, the call the game was first written with, on a file the game
// has already checked (only plain PCM and float WAV get here: Windows would otherwise decode
// ADPCM or GSM through its codecs). SND_ASYNC returns at once and ends the sound playing,
// SND_NODEFAULT keeps the system's own sound out of a failure. The wide form keeps a path
// with letters outside the code page (C:\Users\Niccolò\...) playable.
#include "sound_output.h"

#include <windows.h>
#include <mmsystem.h>

#include <string>

namespace brindora {

namespace {

std::wstring wide(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                         int(utf8.size()), nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring out(std::size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()), out.data(),
                        size);
    return out;
}

} // namespace

struct SoundOutput::Impl {
    Silent silent;
};

SoundOutput::SoundOutput(Silent silent) : m_impl(std::make_unique<Impl>(Impl{std::move(silent)})) {}

SoundOutput::~SoundOutput() {
    PlaySoundW(nullptr, nullptr, 0);
}

void SoundOutput::play(const CheckedRecording& recording) {
    const std::wstring path = wide(recording.path);
    if (path.empty()) {
        stop();
        m_impl->silent(recording.path, Silence::Unreadable, "not a UTF-8 path");
        return;
    }
    // Played on its own, PlaySound cannot say that nothing will be heard: with no audio
    // device at all it still succeeds. That much is asked first.
    if (waveOutGetNumDevs() == 0) {
        stop();
        m_impl->silent(recording.path, Silence::NoSoundServer, "no audio device");
        return;
    }
    if (!PlaySoundW(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT))
        m_impl->silent(recording.path, Silence::NoSoundServer, "PlaySound failed");
}

void SoundOutput::stop() {
    PlaySoundW(nullptr, nullptr, 0);
}

} // namespace brindora
