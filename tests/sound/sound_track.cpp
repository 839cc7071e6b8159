// Plain scans, and the Goertzel filter for the level of one frequency.
#include "sound_track.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

std::size_t SoundTrack::clamp(std::size_t index) const {
    return std::min(index, m_samples.size());
}

std::size_t SoundTrack::firstAbove(double level, std::size_t from, std::size_t to) const {
    const int threshold = int(std::ceil(level * 32768));
    for (std::size_t i = clamp(from); i < clamp(to); ++i) {
        if (std::abs(int(m_samples[i])) >= threshold)
            return i;
    }
    return npos;
}

std::size_t SoundTrack::lastAbove(double level, std::size_t from, std::size_t to) const {
    const int threshold = int(std::ceil(level * 32768));
    for (std::size_t i = clamp(to); i > clamp(from); --i) {
        if (std::abs(int(m_samples[i - 1])) >= threshold)
            return i - 1;
    }
    return npos;
}

double SoundTrack::peak(std::size_t from, std::size_t to) const {
    int best = 0;
    for (std::size_t i = clamp(from); i < clamp(to); ++i)
        best = std::max(best, std::abs(int(m_samples[i])));
    return best / 32768.0;
}

double SoundTrack::toneLevel(double hertz, std::size_t from, std::size_t to) const {
    from = clamp(from);
    to = clamp(to);
    if (to <= from)
        return 0.0;
    const double coefficient = 2 * std::cos(2 * M_PI * hertz / m_rate);
    double previous = 0, beforePrevious = 0;
    for (std::size_t i = from; i < to; ++i) {
        const double current = m_samples[i] / 32768.0 + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    const double power = previous * previous + beforePrevious * beforePrevious -
                         coefficient * previous * beforePrevious;
    return 2 * std::sqrt(std::max(power, 0.0)) / double(to - from);
}

std::size_t SoundTrack::firstToneWindow(double hertz, double level, std::size_t from,
                                        std::size_t window) const {
    for (std::size_t at = from; at + window <= m_samples.size(); at += window) {
        if (toneLevel(hertz, at, at + window) >= level)
            return at;
    }
    return npos;
}

std::size_t SoundTrack::lastToneWindow(double hertz, double level, std::size_t from,
                                       std::size_t window) const {
    std::size_t last = npos;
    for (std::size_t at = from; at + window <= m_samples.size(); at += window) {
        if (toneLevel(hertz, at, at + window) >= level)
            last = at + window;
    }
    return last;
}
