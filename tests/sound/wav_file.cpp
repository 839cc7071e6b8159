// RIFF/WAVE chunks: "fmt " gives the format, "data" the samples; others are skipped.
#include "wav_file.h"

#include "wav_check.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::uint32_t le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}
std::uint16_t le16(const unsigned char* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}
void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += char((v >> (8 * i)) & 0xFF);
}
void put16(std::string& out, std::uint16_t v) {
    out += char(v & 0xFF);
    out += char(v >> 8);
}

} // namespace

WavFile WavFile::read(const std::string& path) {
    WavFile wav;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        wav.error = "cannot open";
        return wav;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream stream(bytes);
    // The same check the player makes before it plays a file.
    const auto chunks = brindora::findWavChunks(stream);
    if (!chunks) {
        wav.error = "not a complete RIFF/WAVE file";
        return wav;
    }
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    if (le32(b + 4) + 8 != bytes.size()) {
        wav.error = "RIFF size does not match the file size";
        return wav;
    }
    const unsigned char* format = b + chunks->formatAt;
    wav.formatTag = le16(format);
    wav.channels = le16(format + 2);
    wav.sampleRate = int(le32(format + 4));
    wav.bitsPerSample = le16(format + 14);
    if (wav.formatTag == 1 && wav.bitsPerSample == 16) {
        wav.samples.resize(chunks->dataSize / 2);
        for (std::size_t i = 0; i < wav.samples.size(); ++i)
            wav.samples[i] = std::int16_t(le16(b + chunks->dataAt + 2 * i));
    }
    return wav;
}

bool WavFile::write(const std::string& path, int sampleRate,
                    const std::vector<std::int16_t>& mono) {
    std::string out = "RIFF";
    put32(out, std::uint32_t(36 + 2 * mono.size()));
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);
    put16(out, 1);
    put32(out, std::uint32_t(sampleRate));
    put32(out, std::uint32_t(sampleRate * 2));
    put16(out, 2);
    put16(out, 16);
    out += "data";
    put32(out, std::uint32_t(2 * mono.size()));
    for (const std::int16_t s : mono)
        put16(out, std::uint16_t(s));
    std::ofstream file(path, std::ios::binary);
    file << out;
    file.close();
    return bool(file) && brindora::isCompleteWav(path);
}

double WavFile::seconds() const {
    return channels > 0 && sampleRate > 0 ? double(samples.size()) / channels / sampleRate : 0.0;
}

int WavFile::peak() const {
    int best = 0;
    for (const std::int16_t s : samples)
        best = std::max(best, std::abs(int(s)));
    return best;
}

std::vector<std::int16_t> sineWave(int sampleRate, double hertz, double seconds, double level) {
    std::vector<std::int16_t> out(std::size_t(seconds * sampleRate));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] =
            std::int16_t(std::lround(level * 32767 * std::sin(2 * M_PI * hertz * i / sampleRate)));
    return out;
}

std::string riffWave(const std::string& formatBody, const std::string& data) {
    std::string chunks = "fmt ";
    put32(chunks, std::uint32_t(formatBody.size()));
    chunks += formatBody;
    chunks += "data";
    put32(chunks, std::uint32_t(data.size()));
    chunks += data;
    if (data.size() % 2)
        chunks += '\0';
    std::string out = "RIFF";
    put32(out, std::uint32_t(4 + chunks.size()));
    return out + "WAVE" + chunks;
}

std::string formatBody(const WavEncoding& encoding, int channels, int sampleRate) {
    const int bytes = std::max(1, encoding.bitsPerSample / 8) * channels;
    std::string out;
    put16(out, std::uint16_t(encoding.extensible ? 0xFFFE : encoding.tag));
    put16(out, std::uint16_t(channels));
    put32(out, std::uint32_t(sampleRate));
    put32(out, std::uint32_t(sampleRate * bytes));
    put16(out, std::uint16_t(bytes));
    put16(out, std::uint16_t(encoding.bitsPerSample));
    if (encoding.extensible) {
        put16(out, 22);
        put16(out, std::uint16_t(encoding.bitsPerSample));
        put32(out, channels == 1 ? 0x4 : channels == 2 ? 0x3 : 0); // centre; left and right
        put16(out, std::uint16_t(encoding.tag));
        out += std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    }
    return out;
}

std::string encodeSamples(const std::vector<std::int16_t>& mono, int channels,
                          const WavEncoding& encoding) {
    const bool pcm = encoding.tag == 1, ieee = encoding.tag == 3;
    std::string out;
    for (const std::int16_t s : mono) {
        for (int c = 0; c < channels; ++c) {
            if (pcm && encoding.bitsPerSample == 8) {
                out += char((s >> 8) + 128);
            } else if (pcm && encoding.bitsPerSample == 24) {
                put16(out, std::uint16_t(std::uint16_t(s) << 8)); // the low byte is 0
                out += char(s >> 8);
            } else if (pcm && encoding.bitsPerSample == 32) {
                put32(out, std::uint32_t(std::int32_t(s) * 65536));
            } else if (ieee && encoding.bitsPerSample == 32) {
                const float f = s / 32768.0f;
                out.append(reinterpret_cast<const char*>(&f), sizeof f);
            } else if (ieee && encoding.bitsPerSample == 64) {
                const double d = s / 32768.0;
                out.append(reinterpret_cast<const char*>(&d), sizeof d);
            } else {
                put16(out, std::uint16_t(s));
            }
        }
    }
    return out;
}
