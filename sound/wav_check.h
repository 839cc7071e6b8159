// Whether a file holds a whole RIFF/WAVE recording: a format chunk and all of its data chunk.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>

namespace brindora {

// Where the two chunks that matter lie, as byte offsets of their bodies.
struct WavChunks {
    std::uint64_t formatAt = 0;
    std::uint32_t formatSize = 0;
    std::uint64_t dataAt = 0;
    std::uint32_t dataSize = 0;
};

// The format and data chunks of a RIFF/WAVE file read from `in`: the format chunk comes
// first and is at least 16 bytes, the data chunk is not empty and lies in the file in full.
// Of several format chunks the first counts, as it does for the decoder.
// Nothing for anything else: a file cut short by an interrupted copy is not a recording.
std::optional<WavChunks> findWavChunks(std::istream& in);

// The same for the file at this path; false when it cannot be opened.
bool isCompleteWav(const std::string& path);

// What a format chunk says about the samples, as far as playing them goes.
struct WavFormat {
    std::uint16_t tag = 0; // the encoding; for WAVE_FORMAT_EXTENSIBLE its subformat's
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t bitsPerSample = 0;
    bool extensible = false;
};

// The format chunk's body, as `findWavChunks` found it; nothing when it cannot be read or
// is an extensible one too short for its subformat or with a subformat that is not one of
// the standard audio GUIDs.
std::optional<WavFormat> readWavFormat(std::istream& in, const WavChunks& chunks);

// Whether the game decodes this encoding: PCM of 8, 16, 24 or 32 bits, or IEEE float of
// 32 or 64 bits. Everything else (ADPCM, GSM, A-law, mu-law, MP3, ...) never reaches a
// decoder.
bool isPlayableEncoding(const WavFormat& format);

} // namespace brindora
