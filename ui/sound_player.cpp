// Sound through Qt Multimedia's QSoundEffect, which loads and plays in the background.
#include "sound_player.h"

#include "sound_path.h"

#include <QUrl>

#include <cstdint>
#include <fstream>
#include <string_view>

namespace brindora {

namespace {

std::uint32_t littleEndian32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

} // namespace

bool SoundPlayer::isCompleteWav(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::uint64_t fileSize = std::uint64_t(in.tellg());
    unsigned char header[12];
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(header), sizeof header) ||
        std::string_view(reinterpret_cast<char*>(header), 4) != "RIFF" ||
        std::string_view(reinterpret_cast<char*>(header) + 8, 4) != "WAVE")
        return false;
    // Walk the chunks: a format chunk, then a data chunk that the file holds in full.
    bool haveFormat = false;
    for (std::uint64_t pos = 12; pos + 8 <= fileSize;) {
        unsigned char chunk[8];
        in.seekg(std::streamoff(pos));
        if (!in.read(reinterpret_cast<char*>(chunk), sizeof chunk))
            return false;
        const std::string_view id(reinterpret_cast<char*>(chunk), 4);
        const std::uint64_t size = littleEndian32(chunk + 4);
        if (pos + 8 + size > fileSize)
            return false;
        if (id == "fmt ")
            haveFormat = size >= 16;
        else if (id == "data")
            return haveFormat && size > 0;
        pos += 8 + size + (size & 1);
    }
    return false;
}

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() {
    stop();
}

void SoundPlayer::suona(const std::string& path) {
    stop(); // a new call always ends the sound before it, even when it plays nothing
    const auto found = findIgnoringCase(path);
    if (!found || !isCompleteWav(*found))
        return; // a missing or broken recording is silence
    m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl::fromLocalFile(QString::fromStdString(*found)));
    m_effect->play(); // starts as soon as the file is loaded, without waiting here
}

void SoundPlayer::stop() {
    if (m_effect)
        m_effect->stop();
    m_effect.reset();
}

} // namespace brindora
