// The 31 recordings in assets/Europa: names, WAV format, levels, silences, lengths, and
// that the player's decoder reads each of them whole.
#include "catalogo.h"
#include "sound_path.h"
#include "wav_file.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace {

constexpr double kAudible = 0.01; // -40 dBFS: below this a stretch counts as silence

struct Kind {
    const char* name;
    double minSeconds, maxSeconds; // whole file
    double minSounding;            // seconds between the first and the last audible sample
    double maxGap;                 // longest silence inside the sound, seconds
};

// clang-format off
constexpr Kind kAnnouncement{"announcement", 0.8, 4.0, 0.6, 0.3};
constexpr Kind kPraise      {"praise",       0.4, 2.0, 0.3, 0.3};
constexpr Kind kAnthem      {"anthem",       25.0, 36.0, 24.0, 0.5};
// clang-format on

const Kind& kindOf(std::string_view file) {
    if (file == brindora::kAnthemFile)
        return kAnthem;
    return file == brindora::kPraiseFile ? kPraise : kAnnouncement;
}

std::string pathOf(std::string_view file) {
    return brindora::soundPath(BRINDORA_ASSETS_DIR, file);
}

const WavFile& load(std::string_view file) {
    static std::map<std::string, WavFile, std::less<>> cache;
    auto it = cache.find(file);
    if (it == cache.end())
        it = cache.emplace(std::string(file), WavFile::read(pathOf(file))).first;
    return it->second;
}

double decibels(double fraction) {
    return 20 * std::log10(fraction);
}

std::vector<std::string> listedFiles() {
    const auto files = brindora::soundFiles();
    return {files.begin(), files.end()};
}

class Recording : public ::testing::TestWithParam<std::string> {
protected:
    const WavFile& wav() {
        const WavFile& w = load(GetParam());
        EXPECT_EQ(w.error, "") << GetParam();
        return w;
    }
    std::size_t firstAudible(const WavFile& w) {
        const int level = int(kAudible * 32768);
        return std::size_t(std::find_if(w.samples.begin(), w.samples.end(),
                                        [&](std::int16_t s) { return std::abs(s) >= level; }) -
                           w.samples.begin());
    }
    // Index of the last audible sample; only called once firstAudible found one.
    std::size_t lastAudible(const WavFile& w) {
        const int level = int(kAudible * 32768);
        const auto it = std::find_if(w.samples.rbegin(), w.samples.rend(),
                                     [&](std::int16_t s) { return std::abs(s) >= level; });
        return w.samples.size() - std::size_t(it - w.samples.rbegin()) - 1;
    }
};

TEST_P(Recording, IsInTheFolderUnderItsExactName) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(BRINDORA_ASSETS_DIR) / "Europa"))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names.count(GetParam()), 1u) << GetParam();
    EXPECT_TRUE(fs::is_regular_file(pathOf(GetParam())));
}

TEST_P(Recording, IsMonoSixteenBitPcmAtTheRateOfAllTheOthers) {
    const WavFile& w = wav();
    EXPECT_EQ(w.formatTag, 1) << "plain PCM";
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.bitsPerSample, 16);
    EXPECT_EQ(w.sampleRate, load(brindora::kAnthemFile).sampleRate) << "one rate for all files";
    EXPECT_GE(w.sampleRate, 16000);
}

TEST_P(Recording, PeaksNearMinusOneDecibelWithoutClipping) {
    const WavFile& w = wav();
    ASSERT_FALSE(w.samples.empty());
    EXPECT_NEAR(decibels(w.peak() / 32768.0), -1.0, 0.5);
    // A clipped wave runs flat along the top: identical loud samples in a row.
    const int loud = int(0.8 * w.peak());
    int flat = 0;
    for (std::size_t i = 2; i < w.samples.size(); ++i) {
        const bool same = w.samples[i] == w.samples[i - 1] && w.samples[i] == w.samples[i - 2];
        flat += same && std::abs(w.samples[i]) > loud;
    }
    EXPECT_EQ(flat, 0);
}

TEST_P(Recording, StartsAtOnceAndEndsInSilenceThePlayerCanDrop) {
    const WavFile& w = wav();
    ASSERT_LT(firstAudible(w), w.samples.size()) << "nothing audible";
    EXPECT_LE(double(firstAudible(w)) / w.sampleRate, 0.100) << "leading silence";
    EXPECT_GE(double(w.samples.size() - 1 - lastAudible(w)) / w.sampleRate, 0.300)
        << "trailing silence";
}

TEST_P(Recording, SoundsForALengthFitForItsKind) {
    const WavFile& w = wav();
    const Kind& kind = kindOf(GetParam());
    EXPECT_GE(w.seconds(), kind.minSeconds) << kind.name;
    EXPECT_LE(w.seconds(), kind.maxSeconds) << kind.name;
    const std::size_t first = firstAudible(w);
    ASSERT_LT(first, w.samples.size()) << "nothing audible";
    const std::size_t last = lastAudible(w);
    EXPECT_GE(double(last - first) / w.sampleRate, kind.minSounding) << kind.name;
    // Speech or music all along: no long hole inside, and loud enough on average.
    std::size_t gap = 0, longest = 0;
    double energy = 0;
    for (std::size_t i = first; i <= last; ++i) {
        gap = std::abs(w.samples[i]) < kAudible * 32768 ? gap + 1 : 0;
        longest = std::max(longest, gap);
        energy += double(w.samples[i]) * w.samples[i];
    }
    EXPECT_LE(double(longest) / w.sampleRate, kind.maxGap) << kind.name;
    EXPECT_GE(decibels(std::sqrt(energy / double(last - first + 1)) / 32768), -30.0);
}

TEST_P(Recording, ThePlayersDecoderReadsItWhole) {
    const WavFile& w = wav();
    SF_INFO info{};
    SNDFILE* file = sf_open(pathOf(GetParam()).c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<short> decoded(w.samples.size() + 16);
    const sf_count_t frames = sf_readf_short(file, decoded.data(), sf_count_t(decoded.size()));
    sf_close(file);
    EXPECT_EQ(info.samplerate, w.sampleRate);
    ASSERT_EQ(std::size_t(frames), w.samples.size());
    decoded.resize(w.samples.size());
    EXPECT_TRUE(std::equal(decoded.begin(), decoded.end(), w.samples.begin()));
}

INSTANTIATE_TEST_SUITE_P(Europa, Recording, ::testing::ValuesIn(listedFiles()),
                         [](const auto& info) {
                             std::string name;
                             for (const char c : info.param)
                                 if (std::isalnum(static_cast<unsigned char>(c)))
                                     name += c;
                             return name;
                         });

TEST(EuropaFolder, HoldsTheListedFilesAndNothingElse) {
    std::set<std::string> present;
    for (const auto& entry : fs::directory_iterator(fs::path(BRINDORA_ASSETS_DIR) / "Europa"))
        present.insert(entry.path().filename().string());
    const std::vector<std::string> listed = listedFiles();
    EXPECT_EQ(listed.size(), 31u);
    EXPECT_EQ(present, std::set<std::string>(listed.begin(), listed.end()));
}

TEST(EuropaFolder, FitsInFiveMegabytes) {
    std::uintmax_t total = 0;
    for (const std::string& file : listedFiles())
        total += fs::file_size(pathOf(file));
    EXPECT_LT(total, 5u * 1000 * 1000);
}

} // namespace
