// Which files the player plays (only whole WAV files), and what it tells the teacher about
// those it cannot play: why, once per file and reason. There is no sound server here.
#include "case_name.h"
#include "child_process.h"
#include "silence_report.h"
#include "sound_path.h"
#include "sound_player.h"
#include "wav_check.h"
#include "wav_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <thread>
#include <unistd.h>

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

struct Candidate : brindora::testing::NamedCase {
    std::function<std::string()> bytes;
    bool complete;
};

class CompleteWav : public ::testing::TestWithParam<Candidate> {};

TEST_P(CompleteWav, OnlyWholeWavFilesPassTheWavCheck) {
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

// Once per file and reason, however often and in whatever order the same silence recurs.
TEST(SilenceReport, TellsEachFileAndReasonOnce) {
    using brindora::Silence;
    std::vector<std::string> lines;
    brindora::SilenceReport report([&](const std::string& line) { lines.push_back(line); });
    const std::pair<const char*, Silence> calls[] = {
        {"/p/Europa/a.wav", Silence::Missing},       {"/p/Europa/a.wav", Silence::Missing},
        {"/p/Europa/b.wav", Silence::Missing},       {"/p/Europa/a.wav", Silence::NoSoundServer},
        {"/p/Europa/a.wav", Silence::NoSoundServer}, {"/p/Europa/b.wav", Silence::Missing},
        {"/p/Europa/a.wav", Silence::Missing},       {"/p/Europa", Silence::FolderMissing}};
    for (const auto& [path, why] : calls)
        report.silent(path, why, "why");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[0].find("/p/Europa/a.wav"), std::string::npos);
    EXPECT_NE(lines[1].find("/p/Europa/b.wav"), std::string::npos);
    EXPECT_NE(lines[2].find("no sound server"), std::string::npos);
    EXPECT_NE(lines[3].find("sound folder \"/p/Europa\" is missing"), std::string::npos);
}

// What is put where the game looks for Malta.wav, and what the one line about it says.
enum class Put {
    Nothing,
    NoFolder,
    Folder,
    Text,
    CutRecording,
    UnknownEncoding,
    LockedFile,
    LockedFolder,
    Recording
};

struct Told : brindora::testing::NamedCase {
    Put put;
    const char* words;   // the reason, as the line gives it
    bool aboutTheFolder; // the line names the folder Europa rather than the file
};

class TellsWhy : public ::testing::TestWithParam<Told> {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/brindora-told-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        fs::permissions(m_dir, fs::perms(0755)); // others may look in, as in a real install
    }
    void TearDown() override {
        fs::permissions(m_dir / "Europa", fs::perms::owner_all, m_ec);
        fs::remove_all(m_dir, m_ec);
    }
    fs::path m_dir;
    std::error_code m_ec;
};

TEST_P(TellsWhy, OneLineWithThePathAndTheReason) {
    const Told& told = GetParam();
    const fs::path folder = m_dir / "Europa";
    const fs::path file = folder / "Malta.wav";
    if (told.put != Put::NoFolder)
        fs::create_directories(folder);
    switch (told.put) {
    case Put::Folder:
        fs::create_directories(file);
        break;
    case Put::Text:
        std::ofstream(file) << "Clicca sulla Romania\n";
        break;
    case Put::CutRecording:
        std::ofstream(file, std::ios::binary) << gameFile("Malta.wav").substr(0, 5000);
        break;
    case Put::UnknownEncoding: // a whole WAV file with a format tag nobody knows
        std::ofstream(file, std::ios::binary)
            << riff(chunk("fmt ", std::string("\x34\x12\x01\x00", 4) + le32(22050) + le32(44100) +
                                      std::string("\x02\x00\x10\x00", 4)) +
                    kData);
        break;
    case Put::LockedFile:
    case Put::LockedFolder:
    case Put::Recording:
        ASSERT_TRUE(WavFile::write(file.string(), 22050, sineWave(22050, 440, 0.5, 0.5)));
        break;
    default:
        break;
    }
    if (told.put == Put::LockedFile)
        fs::permissions(file, fs::perms::none);
    if (told.put == Put::LockedFolder)
        fs::permissions(folder, fs::perms::none);

    std::mutex mutex;
    std::vector<std::string> lines;
    {
        brindora::SoundPlayer player([&](const std::string& line) {
            std::lock_guard lock(mutex);
            lines.push_back(line);
        });
        withoutRootsRights([&] {
            for (int i = 0; i < 3; ++i)
                player.suona(brindora::soundPath(m_dir.string(), "Malta.wav"));
        });
        // The server's absence may be found by the player's own thread, a moment later.
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        auto told = [&] {
            std::lock_guard lock(mutex);
            return !lines.empty();
        };
        while (!told() && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(lines.size(), 1u) << told.name;
    const std::string& line = lines[0];
    EXPECT_EQ(line.rfind("brindora: ", 0), 0u) << line;
    EXPECT_NE(line.find(told.words), std::string::npos) << line;
    const fs::path named = told.aboutTheFolder ? folder : file;
    EXPECT_NE(line.find("\"" + named.string() + "\""), std::string::npos) << line;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Silence, TellsWhy, ::testing::Values(
    Told{"MissingFile",     Put::Nothing,         "is missing",                  false},
    Told{"MissingFolder",   Put::NoFolder,        "sound folder",                true},
    Told{"FolderNotFile",   Put::Folder,          "cannot be read (not a file)", false},
    Told{"NotAWav",         Put::Text,            "is not a complete WAV file",  false},
    Told{"CutRecording",    Put::CutRecording,    "is not a complete WAV file",  false},
    Told{"UnknownEncoding", Put::UnknownEncoding, "in an unknown format",        false},
    Told{"LockedFile",      Put::LockedFile,      "cannot be read (Permission denied)", false},
    Told{"LockedFolder",    Put::LockedFolder,    "cannot be read (Permission denied)", false},
    Told{"NoSoundServer",   Put::Recording,       "no sound server",             false}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace

namespace {

// A file refused for one reason, then put right: its next silence, for want of a server, is
// told too, as a reason of its own.
TEST(SilenceReasons, EachReasonForTheSameFileIsTold) {
    char pattern[] = "/tmp/brindora-reasons-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path file = fs::path(pattern) / "Europa" / "Malta.wav";
    fs::create_directories(file.parent_path());
    std::mutex mutex;
    std::vector<std::string> lines;
    const auto told = [&] {
        std::lock_guard lock(mutex);
        return lines;
    };
    {
        brindora::SoundPlayer player([&](const std::string& line) {
            std::lock_guard lock(mutex);
            lines.push_back(line);
        });
        const std::vector<std::int16_t> tone = sineWave(22050, 440, 0.3, 0.5);
        std::ofstream(file, std::ios::binary) << riffWave(formatBody({0x11, 4, false}, 1, 22050),
                                                          encodeSamples(tone, 1, {1, 16, false}));
        player.suona(file.string());
        ASSERT_TRUE(WavFile::write(file.string(), 22050, tone));
        player.suona(file.string());
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (told().size() < 2 && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    fs::remove_all(pattern);
    const std::vector<std::string> all = told();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_NE(all[0].find("in an unknown format"), std::string::npos) << all[0];
    EXPECT_NE(all[1].find("no sound server"), std::string::npos) << all[1];
}

} // namespace
