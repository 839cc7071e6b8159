// What the game's own suona makes a PulseAudio null sink play, recorded from its monitor:
// that a sound is heard whole, that a new sound cuts the old one, that a bad file is silence,
// and that sound comes back with the sound server.
#include "case_name.h"
#include "catalogo.h"
#include "child_process.h"
#include "playback_fixture.h"
#include "sound_path.h"
#include "wav_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <unistd.h>

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

// The test tones play at half of full scale. A click in the recording (a stream that ran
// dry on a busy machine) spreads a little energy over every frequency, up to about 1 %;
// a tone still playing stays near 50 %.
constexpr double kNoTone = 0.05;

const auto kNameFromText = [](const auto& info) { return lettersOf(info.param); };

// The call hands the sound over and returns while it plays: the sound goes on after it.
// (How soon it is heard is a figure of bench/sound_probe, not a test.)
TEST_F(Playback, AnnouncementsAreHeardAndTheCallDoesNotWaitForThem) {
    int played = 0;
    for (const brindora::StateRow& row : brindora::catalogo) {
        if (played++ == 10)
            break;
        waitForSilence();
        const Call play = call(recording(row.soundFile));
        const std::size_t onset = waitForSound(play.calledAt);
        ASSERT_NE(onset, SoundTrack::npos) << row.soundFile << " was not heard";
        const WavFile file = WavFile::read(recording(row.soundFile));
        recordUpTo(onset + samplesIn(file.seconds()));
        EXPECT_GT(track().lastAbove(kAudible, onset), play.returnedAt) << row.soundFile;
        stopPlayer();
    }
}

class WholeSound : public Playback, public ::testing::WithParamInterface<const char*> {};

// Each kind of recording is heard once from its first sound to its last.
TEST_P(WholeSound, IsHeardToItsEndOnce) {
    const WavFile file = WavFile::read(recording(GetParam()));
    ASSERT_EQ(file.error, "");
    const SoundTrack written(file.samples, file.sampleRate);
    const std::size_t first = written.firstAbove(kAudible, 0);
    const std::size_t last = written.lastAbove(kAudible, 0);
    ASSERT_NE(last, SoundTrack::npos);
    const double sounding = double(last - first) / file.sampleRate;

    waitForSilence();
    const Call play = call(recording(GetParam()));
    const std::size_t onset = waitForSound(play.calledAt);
    ASSERT_NE(onset, SoundTrack::npos) << GetParam() << " was not heard";
    recordUpTo(onset + samplesIn(2 * file.seconds()));
    const std::size_t heardLast = track().lastAbove(kAudible, onset);
    const double heardFor = double(heardLast - onset) / MonitorRecorder::kRate;
    EXPECT_GE(heardFor, sounding - 0.05) << GetParam() << " was cut short";
    EXPECT_LT(heardFor, sounding + 0.8 * file.seconds()) << GetParam() << " was played twice";
}

INSTANTIATE_TEST_SUITE_P(Europa, WholeSound,
                         ::testing::Values("esatto.wav", "Repubblica Ceca.wav", "Malta.wav"),
                         kNameFromText);

// Once the second sound is heard, nothing more of the first is. (How soon the first is cut
// is a figure of bench/sound_probe.)
TEST_F(Playback, ASecondSoundStopsTheFirst) {
    const std::string low = writeTone("low.wav", kLowHertz, 3.0);
    const std::string high = writeTone("high.wav", kHighHertz, 1.0);
    waitForSilence();
    const Call first = call(low);
    const std::size_t lowStart = waitForTone(kLowHertz, first.calledAt);
    ASSERT_NE(lowStart, SoundTrack::npos) << "the first tone was not heard";
    const Call second = call(high);
    const std::size_t start = waitForTone(kHighHertz, second.calledAt);
    ASSERT_NE(start, SoundTrack::npos) << "the second tone was not heard";
    recordUpTo(start + samplesIn(0.9));

    const SoundTrack heard = track();
    const std::size_t window = samplesIn(0.010);
    // The first tone (3 s long) played on up to the second call...
    EXPECT_GT(heard.toneLevel(kLowHertz, second.calledAt - window, second.calledAt), 0.2);
    // ...and is not heard while the second (1 s long) plays.
    for (std::size_t at = start + window; at < start + samplesIn(0.9); at += window)
        ASSERT_LT(heard.toneLevel(kLowHertz, at, at + window), kNoTone)
            << "first tone still heard " << double(at - start) / MonitorRecorder::kRate
            << " s after the second started";
}

TEST_F(Playback, TheAnthemIsCutShortByTheFirstAnnouncement) {
    const WavFile italia = WavFile::read(recording("Italia.wav"));
    waitForSilence();
    const Call anthem = call(recording(brindora::kAnthemFile));
    ASSERT_NE(waitForSound(anthem.calledAt), SoundTrack::npos) << "the anthem was not heard";
    const Call voice = call(recording("Italia.wav"));
    const std::size_t onset = waitForSound(voice.calledAt);
    ASSERT_NE(onset, SoundTrack::npos) << "the announcement was not heard";
    // The anthem (31 s) would still be playing after the announcement had it not been stopped.
    const std::size_t after = onset + samplesIn(italia.seconds());
    recordUpTo(after + samplesIn(0.5));
    EXPECT_LT(track().peak(after, track().size()), kAudible);
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

void PrintTo(const BadFile& bad, std::ostream* out) {
    *out << bad.name << " (\"" << bad.path << "\")";
}

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
    constexpr double kToneSeconds = 3.0;
    const std::string low = writeTone("low.wav", kLowHertz, kToneSeconds);
    waitForSilence();
    const Call tone = call(low);
    const std::size_t lowStart = waitForTone(kLowHertz, tone.calledAt);
    ASSERT_NE(lowStart, SoundTrack::npos);
    const Call silent = call(path);
    // Listened to past the tone's own end: a tone left playing is heard to its last second.
    recordUpTo(
        std::max(silent.calledAt + samplesIn(1.5), lowStart + samplesIn(kToneSeconds + 0.5)));
    // The tone stopped well before its end, and nothing at all was heard after it.
    const SoundTrack heard = track();
    const std::size_t window = samplesIn(0.010);
    const std::size_t toneEnds = heard.lastToneWindow(kLowHertz, 0.001, lowStart, window);
    EXPECT_LT(toneEnds, lowStart + samplesIn(2.5)) << bad.name << ": the tone played on";
    EXPECT_LT(heard.peak(toneEnds + window, heard.size()), kAudible) << bad.name;

    EXPECT_NE(waitForTone(kLowHertz, call(low).calledAt), SoundTrack::npos) << "after " << bad.name;
    stopPlayer();
    const Call praise = call(recording(brindora::kPraiseFile));
    EXPECT_NE(waitForSound(praise.calledAt), SoundTrack::npos) << "after " << bad.name;
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
    const Call play = call(brindora::soundPath(m_folder, brindora::kPraiseFile));
    EXPECT_NE(waitForSound(play.calledAt), SoundTrack::npos) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Europa, LetterCase,
                         ::testing::Values("EUROPA/ESATTO.WAV", "europa/Esatto.wav",
                                           "Europa/esatto.WAV"),
                         kNameFromText);

// The sound server goes away and comes back, or first appears after the game asked for a
// sound: the next sound after it is there is heard, with no restart of the player.
struct Outage : brindora::testing::NamedCase {
    bool heardBefore; // a sound plays when the server goes away
};

class ServerComesBack : public Playback, public ::testing::WithParamInterface<Outage> {};

TEST_P(ServerComesBack, TheNextSoundIsHeard) {
    const std::string low = writeTone("low.wav", kLowHertz, 3.0);
    const std::string high = writeTone("high.wav", kHighHertz, 1.0);
    if (GetParam().heardBefore) {
        ASSERT_NE(waitForTone(kLowHertz, call(low).calledAt), SoundTrack::npos);
    }
    haltServer();
    call(low); // silence, and no hang
    EXPECT_TRUE(waitForReport({"no sound server", low})) << "no word of the missing server";
    startServerAgain();
    const Call next = call(high);
    const std::size_t start = waitForTone(kHighHertz, next.calledAt);
    ASSERT_NE(start, SoundTrack::npos) << "the sound after the server came back was not heard";
    recordUpTo(start + samplesIn(0.5));
    EXPECT_LT(track().toneLevel(kLowHertz, next.calledAt, track().size()), kNoTone);
    // Told once, however often the same file met no server.
    const std::vector<std::string> told = reports();
    EXPECT_EQ(
        std::count_if(told.begin(), told.end(),
                      [&](const std::string& line) { return line.find(low) != std::string::npos; }),
        1);
}

INSTANTIATE_TEST_SUITE_P(Pulse, ServerComesBack,
                         ::testing::Values(Outage{"KilledWhilePlaying", true},
                                           Outage{"StartedAfterTheFirstSound", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

// Hand-made recordings, one per encoding or channel count: those the game plays are heard and
// tell nothing; every other one is heard not at all and told in exactly one line, with its
// own reason. The refused encodings carry a tone's samples, which their decoders would have
// turned into something audible.
struct Recording : brindora::testing::NamedCase {
    WavEncoding encoding;
    int channels;
    const char* told; // the reason in the one line; nullptr: it plays
};

class HandMade : public Playback, public ::testing::WithParamInterface<Recording> {};

TEST_P(HandMade, PlaysOrIsToldOnceWithItsReason) {
    const Recording& made = GetParam();
    constexpr int kRate = 22050;
    std::vector<std::int16_t> tone = sineWave(kRate, kLowHertz, 0.4, 0.5);
    const fs::path path = fs::path(m_folder) / "Europa" / "fatto.wav";
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        << riffWave(formatBody(made.encoding, made.channels, kRate),
                    encodeSamples(tone, made.channels, made.encoding));
    waitForSilence();
    const Call play = call(path.string());
    if (!made.told) {
        EXPECT_NE(waitForTone(kLowHertz, play.calledAt), SoundTrack::npos) << "not heard";
        EXPECT_TRUE(reports().empty()) << reports().front();
        return;
    }
    recordUpTo(play.calledAt + samplesIn(1.0));
    call(path.string()); // told once, however often it is asked for
    recordUpTo(play.calledAt + samplesIn(1.5));
    EXPECT_LT(track().peak(play.calledAt, track().size()), kAudible) << "something was heard";
    const std::vector<std::string> told = reports();
    ASSERT_EQ(told.size(), 1u) << (told.empty() ? "nothing told" : told.back());
    EXPECT_EQ(told[0].rfind("brindora: no sound: \"" + path.string() + "\"", 0), 0u) << told[0];
    EXPECT_NE(told[0].find(made.told), std::string::npos) << told[0];
}

constexpr const char* kUnknown = "is a WAV file in an unknown format";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Encodings, HandMade, ::testing::Values(
    Recording{"Pcm8",              {1, 8, false},       1, nullptr},
    Recording{"Pcm16",             {1, 16, false},      1, nullptr},
    Recording{"Pcm24",             {1, 24, false},      1, nullptr},
    Recording{"Pcm32",             {1, 32, false},      1, nullptr},
    Recording{"Float32",           {3, 32, false},      1, nullptr},
    Recording{"Float64",           {3, 64, false},      1, nullptr},
    Recording{"ExtensiblePcm16",   {1, 16, true},       1, nullptr},
    Recording{"ExtensibleFloat32", {3, 32, true},       2, nullptr},
    Recording{"Stereo",            {1, 16, false},      2, nullptr},
    Recording{"EightChannels",     {1, 16, true},       8, nullptr},
    Recording{"ThirtyThreeChannels", {1, 16, true},    33, "has too many channels (33)"},
    Recording{"Pcm12",             {1, 12, false},      1, kUnknown},
    Recording{"ImaAdpcm",          {0x11, 4, false},    1, kUnknown},
    Recording{"MsAdpcm",           {0x02, 4, false},    1, kUnknown},
    Recording{"Gsm610",            {0x31, 0, false},    1, kUnknown},
    Recording{"ALaw",              {0x06, 8, false},    1, kUnknown},
    Recording{"MuLaw",             {0x07, 8, false},    1, kUnknown},
    Recording{"Mp3",               {0x55, 0, false},    1, kUnknown},
    Recording{"ExtensibleALaw",    {0x06, 8, true},     1, kUnknown},
    Recording{"ExtensibleAdpcm",   {0x02, 4, true},     1, kUnknown}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace

namespace {

// With a home the game may not write in (a locked-down school account), and so no cookie
// for the sound library to find or make, the sound plays and standard error stays the game's.
TEST_F(Playback, AReadOnlyHomeLeavesStandardErrorToTheGame) {
    const fs::path home = fs::path(m_folder) / "home";
    fs::create_directories(home);
    fs::permissions(home, fs::perms(0555));
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
    for (const char* name : {"HOME", "PULSE_COOKIE", "XDG_CONFIG_HOME"}) {
        const char* value = std::getenv(name);
        saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        unsetenv(name);
    }
    setenv("HOME", home.c_str(), 1);
    const fs::path errors = fs::path(m_folder) / "stderr";
    std::fflush(stderr);
    const int standardError = dup(2);
    const int captured = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    dup2(captured, 2);
    std::size_t heard = SoundTrack::npos;
    withoutRootsRights([&] { // the player's thread starts from here, with no more rights
        waitForSilence();
        heard = waitForSound(call(recording(brindora::kPraiseFile)).calledAt);
        stopPlayer();
    });
    std::fflush(stderr);
    dup2(standardError, 2);
    close(standardError);
    close(captured);
    for (const auto& [name, value] : saved) {
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }
    EXPECT_NE(heard, SoundTrack::npos) << "the praise was not heard";
    std::ifstream in(errors);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(text, "");
    EXPECT_FALSE(fs::exists(home / ".config")) << "something was written in the home";
}

} // namespace
