// The game played from a folder with blanks and accents in its path, with its recordings
// missing or broken in every way we could think of, and no sound server: it plays on silently,
// and says why on standard error only, once for each file.
#include "box_closer.h"
#include "case_name.h"
#include "catalogo.h"
#include "client_area.h"
#include "game.h"
#include "graphical_button.h"
#include "map_box.h"
#include "recording_window.h"
#include "sound_path.h"
#include "sound_player.h"
#include "test_form.h"
#include "wav_check.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>
#include <unistd.h>

using namespace brindora;
using namespace brindora::testing;

namespace {

enum class Damage {
    MissingFolder,
    Garbage,
    Empty,
    TruncatedHeader,
    Pcm24,
    Float32,
    Directory,
    Intact
};

struct Case : NamedCase {
    Damage damage;
    const char* told; // what the lines on standard error say, one line per file
};

// Standard error, caught in a file for as long as this lives; read back through a file of its
// own, so that the reading never moves where standard error writes.
class CaughtStandardError {
public:
    CaughtStandardError()
        : m_path((std::filesystem::temp_directory_path() /
                  ("brindora-stderr-" + std::to_string(std::random_device{}()) + ".txt"))
                     .string()),
          m_file(std::fopen(m_path.c_str(), "w")) {
        std::fflush(stderr);
        m_saved = dup(2);
        dup2(fileno(m_file), 2);
    }
    ~CaughtStandardError() {
        std::fflush(stderr);
        dup2(m_saved, 2);
        close(m_saved);
        std::fclose(m_file);
        std::remove(m_path.c_str());
    }
    // The lines so far that begin with `prefix`.
    std::vector<std::string> lines(const std::string& prefix) const {
        std::fflush(stderr);
        std::ifstream in(m_path, std::ios::binary);
        std::vector<std::string> found;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.compare(0, prefix.size(), prefix) == 0)
                found.push_back(line);
        }
        return found;
    }

private:
    std::string m_path;
    std::FILE* m_file;
    int m_saved = -1;
};

// A RIFF/WAVE file with one fmt chunk and a short data chunk.
QByteArray wav(std::uint16_t format, std::uint16_t bits) {
    QByteArray data(8820 * (bits / 8), '\x10');
    auto u16 = [](QByteArray& b, std::uint16_t v) {
        b.append(char(v & 0xff)).append(char(v >> 8));
    };
    auto u32 = [&](QByteArray& b, std::uint32_t v) {
        u16(b, std::uint16_t(v & 0xffff));
        u16(b, std::uint16_t(v >> 16));
    };
    QByteArray out("RIFF");
    u32(out, 36 + data.size());
    out.append("WAVEfmt ");
    u32(out, 16);
    u16(out, format);
    u16(out, 1);
    u32(out, 22050);
    u32(out, 22050 * (bits / 8));
    u16(out, bits / 8);
    u16(out, bits);
    out.append("data");
    u32(out, data.size());
    return out + data;
}

QByteArray garbage() {
    std::mt19937 gen(1234);
    QByteArray out(4096, '\0');
    for (char& c : out)
        c = char(gen());
    return out;
}

void makeRecordings(const QString& programDir, Damage damage) {
    if (damage == Damage::MissingFolder)
        return;
    QDir dir(programDir);
    ASSERT_TRUE(dir.mkpath(QStringLiteral("Europa")));
    for (std::string_view name : soundFiles()) {
        const QString file = dir.filePath(QStringLiteral("Europa/") +
                                          QString::fromUtf8(name.data(), int(name.size())));
        QByteArray bytes;
        switch (damage) {
        case Damage::Directory:
            ASSERT_TRUE(QDir().mkpath(file));
            continue;
        case Damage::Intact: {
            QFile real(QStringLiteral(BRINDORA_ASSETS_DIR "/Europa/") +
                       QString::fromUtf8(name.data(), int(name.size())));
            ASSERT_TRUE(real.open(QIODevice::ReadOnly)) << real.fileName().toStdString();
            bytes = real.readAll();
            break;
        }
        case Damage::Garbage:
            bytes = garbage();
            break;
        case Damage::Empty:
            break;
        case Damage::TruncatedHeader:
            bytes = wav(1, 16).left(20);
            break;
        case Damage::Pcm24:
            bytes = wav(1, 24);
            break;
        case Damage::Float32:
            bytes = wav(3, 32);
            break;
        case Damage::MissingFolder:
            break;
        }
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.close();
        // Which damage the player's own check catches before any decoding.
        const bool whole =
            damage == Damage::Intact || damage == Damage::Pcm24 || damage == Damage::Float32;
        EXPECT_EQ(isCompleteWav(file.toStdString()), whole) << file.toStdString();
    }
}

class BrokenSounds : public ::testing::TestWithParam<Case> {};

TEST_P(BrokenSounds, TheGamePlaysOnAsUsual) {
    QTemporaryDir base;
    ASSERT_TRUE(base.isValid());
    const QString programDir =
        base.filePath(QString::fromUtf8("Programmi di scuola \u00e0\u00e8\u00ec\u00f2\u00f9"));
    ASSERT_TRUE(QDir().mkpath(programDir));
    makeRecordings(programDir, GetParam().damage);

    ScriptedRandom random;
    int quits = 0;
    std::vector<std::string> sounds;
    BoxCloser boxes;
    const CaughtStandardError standardError;
    Form1Options options = testOptions(
        &random, [&] { ++quits; }, programDir);
    options.soundObserver = [&](const std::string& p) { sounds.push_back(p); };
    Form1 form{std::move(options)};
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ClientArea* client = form.client();
    auto clickMap = [&](QPoint pixel) {
        QTest::mouseClick(client->picture2(), Qt::LeftButton, {},
                          pixel + client->picture2()->clientRect().topLeft());
    };

    random.values = {ScriptedRandom::forState(1), ScriptedRandom::forState(8)};
    QTest::mouseClick(client->command2(), Qt::LeftButton); // Romania
    clickMap({370, 380});                                  // right
    QTest::mouseClick(client->command2(), Qt::LeftButton); // France
    clickMap({370, 380});                                  // wrong: Romania
    form.timer1Timer();                                    // the score shows it
    QTest::mouseClick(client->command3(), Qt::LeftButton);

    const QStringList expected{
        QStringLiteral("Clicca sulla Romania"), QStringLiteral("        ESATTO"),
        QStringLiteral("Clicca sulla Francia"), QString::fromUtf8("Questa \u00e8 la Romania"),
        QStringLiteral("Ciao ti aspetto per giocare ancora insieme!")};
    EXPECT_EQ(boxes.texts(), expected);
    EXPECT_EQ(form.game().punti(), 1);
    EXPECT_EQ(form.game().errori(), 1);
    EXPECT_EQ(client->lblerrori()->text(), QStringLiteral("1"));
    EXPECT_EQ(quits, 1);
    // Every sound was still asked for, by the path rule, under the accented folder.
    ASSERT_EQ(sounds.size(), 4u);
    EXPECT_EQ(sounds[0], soundPath(programDir.toStdString(), "inno.wav"));
    EXPECT_EQ(sounds[3], soundPath(programDir.toStdString(), "Francia.wav"));

    // One line for each silent file (or for the missing folder) saying why; the player may
    // find the server missing on its own thread, a moment after the call.
    const std::size_t lineCount = GetParam().damage == Damage::MissingFolder ? 1 : sounds.size();
    QElapsedTimer guard;
    guard.start();
    while (standardError.lines("brindora:").size() < lineCount && guard.elapsed() < 5000)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const std::vector<std::string> told = standardError.lines("brindora:");
    ASSERT_EQ(told.size(), lineCount);
    for (std::size_t i = 0; i < lineCount; ++i) {
        const std::string named =
            lineCount == 1 ? soundPath(programDir.toStdString(), "") : sounds[i];
        const std::string& line = told[lineCount == 1 ? 0 : i];
        EXPECT_NE(line.find(GetParam().told), std::string::npos) << line;
        EXPECT_NE(line.find("\"" + named.substr(0, named.find_last_not_of("/\\") + 1) + "\""),
                  std::string::npos)
            << line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Recordings, BrokenSounds,
    ::testing::Values(
        Case{"NoEuropaFolder", Damage::MissingFolder, "is missing: the game plays in silence"},
        Case{"Garbage", Damage::Garbage, "is not a complete WAV file"},
        Case{"EmptyFiles", Damage::Empty, "is not a complete WAV file"},
        Case{"TruncatedHeader", Damage::TruncatedHeader, "is not a complete WAV file"},
        // Whole files in encodings the decoder reads: they would play on a server.
        Case{"Pcm24Bit", Damage::Pcm24, "no sound server"},
        Case{"Float32", Damage::Float32, "no sound server"},
        Case{"DirectoriesOfTheSameName", Damage::Directory, "cannot be read (not a file)"},
        Case{"IntactWithoutSoundServer", Damage::Intact, "no sound server"}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
