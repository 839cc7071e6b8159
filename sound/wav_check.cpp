// A walk over the RIFF chunks of a WAV file, reading only their headers.
#include "wav_check.h"

#include <fstream>
#include <string_view>

namespace brindora {

namespace {

std::uint32_t littleEndian32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

std::string_view idOf(const unsigned char* p) {
    return {reinterpret_cast<const char*>(p), 4};
}

} // namespace

std::optional<WavChunks> findWavChunks(std::istream& in) {
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    if (end < 12)
        return std::nullopt;
    const std::uint64_t fileSize = std::uint64_t(end);
    unsigned char header[12];
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(header), sizeof header) || idOf(header) != "RIFF" ||
        idOf(header + 8) != "WAVE")
        return std::nullopt;
    WavChunks chunks;
    bool haveFormat = false;
    for (std::uint64_t pos = 12; pos + 8 <= fileSize;) {
        unsigned char chunk[8];
        in.seekg(std::streamoff(pos));
        if (!in.read(reinterpret_cast<char*>(chunk), sizeof chunk))
            return std::nullopt;
        const std::uint32_t size = littleEndian32(chunk + 4);
        if (pos + 8 + size > fileSize)
            return std::nullopt;
        if (idOf(chunk) == "fmt ") {
            haveFormat = size >= 16;
            chunks.formatAt = pos + 8;
            chunks.formatSize = size;
        } else if (idOf(chunk) == "data") {
            if (!haveFormat || size == 0)
                return std::nullopt;
            chunks.dataAt = pos + 8;
            chunks.dataSize = size;
            return chunks;
        }
        pos += 8 + size + (size & 1);
    }
    return std::nullopt;
}

bool isCompleteWav(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in && findWavChunks(in).has_value();
}

} // namespace brindora
