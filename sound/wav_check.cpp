// A walk over the RIFF chunks of a WAV file, reading only their headers.
#include "wav_check.h"

#include "utf8_path.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string_view>

namespace brindora {

namespace {

std::uint32_t littleEndian32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

std::uint16_t littleEndian16(const unsigned char* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
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
        if (idOf(chunk) == "fmt " && !haveFormat) {
            if (size < 16)
                return std::nullopt;
            haveFormat = true;
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
    std::ifstream in(pathOf(path), std::ios::binary);
    return in && findWavChunks(in).has_value();
}

namespace {

constexpr std::uint16_t kPcm = 0x0001;
constexpr std::uint16_t kFloat = 0x0003;
constexpr std::uint16_t kExtensible = 0xFFFE;
// KSDATAFORMAT_SUBTYPE_*: the format tag in the first two bytes, then always these 14.
constexpr unsigned char kSubformatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                              0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

} // namespace

std::optional<WavFormat> readWavFormat(std::istream& in, const WavChunks& chunks) {
    unsigned char body[40] = {};
    const std::size_t size = std::min<std::size_t>(chunks.formatSize, sizeof body);
    if (size < 16)
        return std::nullopt;
    in.clear();
    in.seekg(std::streamoff(chunks.formatAt));
    if (!in.read(reinterpret_cast<char*>(body), std::streamsize(size)))
        return std::nullopt;
    WavFormat format;
    format.tag = littleEndian16(body);
    format.channels = littleEndian16(body + 2);
    format.sampleRate = littleEndian32(body + 4);
    format.bitsPerSample = littleEndian16(body + 14);
    if (format.tag == kExtensible) {
        // cbSize (22), valid bits, channel mask, then the subformat's GUID.
        if (size < 40 || littleEndian16(body + 16) < 22 ||
            !std::equal(std::begin(kSubformatTail), std::end(kSubformatTail), body + 26))
            return std::nullopt;
        format.extensible = true;
        format.tag = littleEndian16(body + 24);
    }
    return format;
}

bool isPlayableEncoding(const WavFormat& format) {
    switch (format.tag) {
    case kPcm:
        return format.bitsPerSample == 8 || format.bitsPerSample == 16 ||
               format.bitsPerSample == 24 || format.bitsPerSample == 32;
    case kFloat:
        return format.bitsPerSample == 32 || format.bitsPerSample == 64;
    default:
        return false;
    }
}

} // namespace brindora
