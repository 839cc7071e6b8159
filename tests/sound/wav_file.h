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
