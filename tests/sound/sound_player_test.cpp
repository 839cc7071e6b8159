// Which files the player hands to Qt: only whole WAV files, since Qt 6.4 hangs on others.
#include "sound_path.h"
#include "wav_check.h"
#include "wav_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;
using brindora::isCompleteWav;

namespace {

std::string le32(std::uint32_t v) {
    return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
}

std::string chunk(const std::string& id, const std::string& body) {
    std::string out = id + le32(std::uint32_t(body.size())) + body;
    if (body.size() % 2)
        out += '\0';
    return out;
}

// 16-bit mono PCM at 22050 Hz.
const std::string kFormat = chunk("fmt ", std::string("\x01\x00\x01\x00", 4) + le32(22050) +
                                              le32(44100) + std::string("\x02\x00\x10\x00", 4));

std::string riff(const std::string& chunks) {
    return "RIFF" + le32(std::uint32_t(4 + chunks.size())) + "WAVE" + chunks;
}

std::string gameFile(const char* name) {
    std::ifstream in(brindora::soundPath(BRINDORA_ASSETS_DIR, name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Candidate {
    const char* name;
    std::function<std::string()> bytes;
    bool complete;
};

class CompleteWav : public ::testing::TestWithParam<Candidate> {};

TEST_P(CompleteWav, OnlyWholeWavFilesAreHandedToQt) {
    const fs::path path =
        fs::temp_directory_path() / ("brindora-wav-" + std::string(GetParam().name));
    std::ofstream(path, std::ios::binary) << GetParam().bytes();
    EXPECT_EQ(isCompleteWav(path.string()), GetParam().complete);
    fs::remove(path);
}

const std::string kData = chunk("data", std::string(400, '\x10'));

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, CompleteWav, ::testing::Values(
    Candidate{"GameRecording",   [] { return gameFile("Malta.wav"); },                   true},
    Candidate{"FormatThenData",  [] { return riff(kFormat + kData); },                   true},
    Candidate{"ListChunkBetween",[] { return riff(kFormat + chunk("LIST", "abc") + kData); }, true},
    Candidate{"HalfARecording",  [] { const auto f = gameFile("Malta.wav"); return f.substr(0, f.size() / 2); }, false},
    Candidate{"HeaderOnly",      [] { return gameFile("Malta.wav").substr(0, 44); },     false},
    Candidate{"DataCutShort",    [] { const auto f = riff(kFormat + kData); return f.substr(0, f.size() - 1); }, false},
    Candidate{"Empty",           [] { return std::string(); },                           false},
    Candidate{"RiffOnly",        [] { return std::string("RIFF"); },                     false},
    Candidate{"Text",            [] { return std::string("Clicca sulla Romania\n"); },   false},
    Candidate{"NotWave",         [] { return "RIFF" + le32(12) + "AVI " + kData; },     false},
    Candidate{"NoData",          [] { return riff(kFormat + chunk("LIST", "abcd")); },   false},
    Candidate{"DataBeforeFormat",[] { return riff(kData + kFormat); },                   false},
    Candidate{"EmptyData",       [] { return riff(kFormat + chunk("data", "")); },       false},
    Candidate{"ShortFormat",     [] { return riff(chunk("fmt ", "\x01\x00") + kData); }, false}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(CompleteWavPaths, MissingFileAndFolderAreNotWav) {
    EXPECT_FALSE(isCompleteWav("/nonexistent/Europa/esatto.wav"));
    EXPECT_FALSE(isCompleteWav(fs::temp_directory_path().string()));
    EXPECT_FALSE(isCompleteWav(""));
}

} // namespace
