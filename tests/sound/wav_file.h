// A 16-bit PCM WAV file read into memory, or written from samples, for checking recordings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WavFile {
    int formatTag = 0; // 1: plain PCM
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<std::int16_t> samples; // interleaved; filled for 16-bit PCM only
    std::string error;                 // why the file could not be read, empty when it could

    static WavFile read(const std::string& path);
    // Writes a 16-bit mono PCM file; true if it is then a complete WAV file.
    static bool write(const std::string& path, int sampleRate,
                      const std::vector<std::int16_t>& mono);

    double seconds() const;
    int peak() const; // largest magnitude, 0..32768
};

// A sine of this frequency and length at this fraction of full scale, mono.
std::vector<std::int16_t> sineWave(int sampleRate, double hertz, double seconds, double level);

// A sample encoding of a hand-made WAV file, as its format chunk gives it.
struct WavEncoding {
    int tag;           // the format tag; for an extensible header its subformat's
    int bitsPerSample; // the container size (0 for compressed encodings)
    bool extensible;   // WAVE_FORMAT_EXTENSIBLE with this tag in its subformat GUID
};

// A whole RIFF/WAVE file with this format chunk body and these samples (data chunk).
std::string riffWave(const std::string& formatBody, const std::string& data);
// The format chunk body for this encoding, channel count and rate.
std::string formatBody(const WavEncoding& encoding, int channels, int sampleRate);
// The mono samples on every channel, in this encoding when it is PCM (8-bit unsigned, 16,
// 24, 32) or IEEE float (32, 64); any other encoding gets them as 16-bit PCM bytes.
std::string encodeSamples(const std::vector<std::int16_t>& mono, int channels,
                          const WavEncoding& encoding);
