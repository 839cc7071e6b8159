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
// Nothing for anything else: a file cut short by an interrupted copy is not a recording.
std::optional<WavChunks> findWavChunks(std::istream& in);

// The same for the file at this path; false when it cannot be opened.
bool isCompleteWav(const std::string& path);

} // namespace brindora
