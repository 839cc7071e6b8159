// What the game's own suona makes a PulseAudio null sink play, recorded from its monitor:
// how soon a sound is heard, that a new sound cuts the old one, that a bad file is silence.
#include "catalogo.h"
#include "playback_fixture.h"
#include "sound_path.h"
#include "wav_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {

std::string recording(std::string_view file) {
    return brindora::soundPath(BRINDORA_ASSETS_DIR, file);
}

std::string lettersOf(std::string_view text) {
    std::string name;
    for (const char c : text)
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
    return name;
}

const auto kNameFromText = [](const auto& info) { return lettersOf(info.param); };

TEST_F(Playback, AnnouncementsAreHeardWithinATenthOfASecondWhileTheCallReturnsAtOnce) {
    std::vector<double> delays;
    for (const brindora::StateRow& row : brindora::catalogo) {
        if (delays.size() == 10)
            break;
        waitForSilence();
        const Play play = playAndListen(recording(row.soundFile), milliseconds(600));
        ASSERT_TRUE(play.heard) << row.soundFile << " was not heard";
        // The call hands the sound over and returns before any of it is heard.
        EXPECT_LT(play.callMs, play.delayMs) << row.soundFile;
        delays.push_back(play.delayMs);
        stopPlayer();
    }
    std::sort(delays.begin(), delays.end());
    const double median = (delays[4] + delays[5]) / 2;
    std::printf("Delay from suona to sound over %zu plays: median %.1f ms, min %.1f, max %.1f\n",
                delays.size(), median, delays.front(), delays.back());
    RecordProperty("median_delay_ms", int(median));
    EXPECT_LE(median, 100.0);
}

class WholeSound : public Playback, public ::testing::WithParamInterface<const char*> {};

// Each kind of recording is heard from its first sound to its last: the player's dropped
// end falls in the file's trailing silence.
TEST_P(WholeSound, IsHeardToItsEnd) {
    const WavFile file = WavFile::read(recording(GetParam()));
    ASSERT_EQ(file.error, "");
    const SoundTrack written(file.samples, file.sampleRate);
    const std::size_t first = written.firstAbove(kAudible, 0);
    const std::size_t last = written.lastAbove(kAudible, 0);
    ASSERT_NE(last, SoundTrack::npos);
    const double sounding = double(last - first) / file.sampleRate;

    waitForSilence();
    const Play play =
        playAndListen(recording(GetParam()), milliseconds(int(file.seconds() * 1000) + 400));
    ASSERT_TRUE(play.heard);
    const SoundTrack heard = track();
    const std::size_t heardLast = heard.lastAbove(kAudible, play.onset);
    const double heardFor = double(heardLast - play.onset) / MonitorRecorder::kRate;
    EXPECT_NEAR(heardFor, sounding, 0.05) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Europa, WholeSound,
                         ::testing::Values("esatto.wav", "Repubblica Ceca.wav", "Malta.wav"),
                         kNameFromText);

TEST_F(Playback, ASecondSoundStopsTheFirst) {
    const std::string low = writeTone("low.wav", kLowHertz, 3.0);
    const std::string high = writeTone("high.wav", kHighHertz, 1.0);
    waitForSilence();
    const Play first = playAndListen(low, milliseconds(500));
    ASSERT_TRUE(first.heard);
    const Play second = playAndListen(high, milliseconds(800));
    ASSERT_TRUE(second.heard);

    const SoundTrack heard = track();
    const std::size_t window = heard.samplesIn(0.010);
    // The first tone played on up to the second call (it is 3 s long)...
    EXPECT_GT(heard.toneLevel(kLowHertz, second.calledAt - window, second.calledAt), 0.2);
    // ...and is gone once the second has started, beyond the player's own latency.
    const std::size_t start = heard.firstToneWindow(kHighHertz, 0.1, second.calledAt, window);
    ASSERT_NE(start, SoundTrack::npos) << "the second tone was not heard";
    const std::size_t firstEnds = heard.lastToneWindow(kLowHertz, 0.001, first.onset, window);
    std::printf(
        "First sound last heard %.1f ms after the second call; second heard after %.1f ms\n",
        1000.0 * (double(firstEnds) - double(second.calledAt)) / MonitorRecorder::kRate,
        second.delayMs);
    for (std::size_t at = start + window; at + window < heard.size(); at += window)
        ASSERT_LT(heard.toneLevel(kLowHertz, at, at + window), 0.001)
            << "first tone still heard " << double(at - start) / MonitorRecorder::kRate
            << " s after the second started";
}

TEST_F(Playback, TheAnthemIsCutShortByTheFirstAnnouncement) {
    const WavFile italia = WavFile::read(recording("Italia.wav"));
    waitForSilence();
    const Play anthem = playAndListen(recording(brindora::kAnthemFile), milliseconds(1000));
    ASSERT_TRUE(anthem.heard);
    const Play voice =
        playAndListen(recording("Italia.wav"), milliseconds(int(italia.seconds() * 1000) + 800));
    ASSERT_TRUE(voice.heard);
    // The anthem (31 s) would still be playing here had it not been stopped.
    const SoundTrack heard = track();
    const std::size_t after = voice.calledAt + heard.samplesIn(italia.seconds() + 0.1);
    EXPECT_LT(heard.peak(after, heard.size()), kAudible);
    EXPECT_GT(heard.size(), after + heard.samplesIn(0.5));
}

// Bad files: nothing is heard, no default sound either, the sound that was playing stops
// (a new call always replaces the old sound), and the next sound plays as usual.
enum class Make { Nothing, Text, Folder, CutRecording };

struct BadFile {
    const char* name;
    const char* path; // relative to a scratch program folder; "" is the empty path
    Make make;        // what is put there
    const char* text;
};

class BadFiles : public Playback, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadFiles, PlayNothingStopThePlayingSoundAndLeaveThePlayerWorking) {
    const BadFile bad = GetParam();
    std::string path;
    if (*bad.path) {
        path = (fs::path(m_folder) / bad.path).string();
        fs::create_directories(fs::path(path).parent_path());
        if (bad.make == Make::Text)
            std::ofstream(path, std::ios::binary) << bad.text;
        if (bad.make == Make::Folder)
            fs::create_directories(path);
        if (bad.make == Make::CutRecording) {
            fs::copy_file(recording("Malta.wav"), path);
            fs::resize_file(path, fs::file_size(path) / 2); // as from an interrupted copy
        }
    }
    const std::string low = writeTone("low.wav", kLowHertz, 3.0);
    waitForSilence();
    const Play tone = playAndListen(low, milliseconds(400));
    ASSERT_TRUE(tone.heard);
    const Play play = playAndListen(path, milliseconds(1200));
    const SoundTrack heard = track();
    const std::size_t settled = play.calledAt + heard.samplesIn(0.1);
    EXPECT_LT(heard.peak(settled, heard.size()), kAudible) << bad.name;
    EXPECT_GT(heard.size(), settled + heard.samplesIn(1.0));

    EXPECT_TRUE(playAndListen(low, milliseconds(400)).heard) << "after " << bad.name;
    stopPlayer();
    EXPECT_TRUE(playAndListen(recording(brindora::kPraiseFile), milliseconds(400)).heard)
        << "after " << bad.name;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Europa, BadFiles, ::testing::Values(
    BadFile{"MissingFile",   "Europa/Atlantide.wav", Make::Nothing,      ""},
    BadFile{"MissingFolder", "Altrove/esatto.wav",   Make::Nothing,      ""},
    BadFile{"NotAWav",       "Europa/Testo.wav",     Make::Text,         "Clicca sulla Romania\n"},
    BadFile{"EmptyFile",     "Europa/Vuoto.wav",     Make::Text,         ""},
    BadFile{"CutHeader",     "Europa/Rotto.wav",     Make::Text,         "RIFF\x24\x10\x01\x01WAVEfmt "},
    BadFile{"CutRecording",  "Europa/Malta.wav",     Make::CutRecording, ""},
    BadFile{"FolderNotFile", "Europa/Cartella.wav",  Make::Folder,       ""},
    BadFile{"EmptyPath",     "",                     Make::Nothing,      ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Recordings copied from a file system that ignores letter case still play.
class LetterCase : public Playback, public ::testing::WithParamInterface<const char*> {};

TEST_P(LetterCase, RecordingIsFoundWhateverTheCase) {
    const fs::path copy = fs::path(m_folder) / GetParam();
    fs::create_directories(copy.parent_path());
    fs::copy_file(recording(brindora::kPraiseFile), copy);
    waitForSilence();
    const Play play =
        playAndListen(brindora::soundPath(m_folder, brindora::kPraiseFile), milliseconds(500));
    EXPECT_TRUE(play.heard) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Europa, LetterCase,
                         ::testing::Values("EUROPA/ESATTO.WAV", "europa/Esatto.wav",
                                           "Europa/esatto.WAV"),
                         kNameFromText);

} // namespace
