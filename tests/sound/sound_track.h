// Questions asked of a stretch of recorded sound: where it starts, how loud a tone is in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class SoundTrack {
public:
    static constexpr std::size_t npos = std::size_t(-1);

    SoundTrack(std::vector<std::int16_t> samples, int rate)
        : m_samples(std::move(samples)), m_rate(rate) {}

    std::size_t size() const { return m_samples.size(); }
    std::size_t samplesIn(double seconds) const { return std::size_t(seconds * m_rate); }

    // First / last sample in [from, to) whose magnitude reaches `level` (fraction of full
    // scale), or npos.
    std::size_t firstAbove(double level, std::size_t from, std::size_t to = npos) const;
    std::size_t lastAbove(double level, std::size_t from, std::size_t to = npos) const;
    // Largest magnitude in [from, to), as a fraction of full scale.
    double peak(std::size_t from, std::size_t to) const;
    // Amplitude of the sine of this frequency in [from, to), as a fraction of full scale.
    double toneLevel(double hertz, std::size_t from, std::size_t to) const;
    // Scanning from `from` in steps of `window` samples: the start of the first window, or
    // the end of the last, where the tone reaches `level`; npos if none does.
    std::size_t firstToneWindow(double hertz, double level, std::size_t from,
                                std::size_t window) const;
    std::size_t lastToneWindow(double hertz, double level, std::size_t from,
                               std::size_t window) const;

private:
    std::size_t clamp(std::size_t index) const;

    std::vector<std::int16_t> m_samples;
    int m_rate;
};
