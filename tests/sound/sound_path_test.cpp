// Building the path of a recording and finding it whatever the letter case.
#include "case_name.h"
#include "catalogo.h"
#include "recording_lookup.h"
#include "sound_path.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace brindora;
namespace fs = std::filesystem;

namespace {

class SoundPathTest : public ::testing::Test {
protected:
    fs::path dir;

    void SetUp() override {
        // Parameterised test names hold a '/': keep the folder one level deep.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : name)
            if (c == '/')
                c = '-';
        dir = fs::temp_directory_path() /
              ("brindora-path-" + name + "-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    void touch(const fs::path& relative) {
        fs::create_directories((dir / relative).parent_path());
        std::ofstream(dir / relative) << "RIFF";
    }
};

TEST(SoundPath, ProgramFolderSeparatorEuropaFile) {
    EXPECT_EQ(soundPath("/usr/lib/brindora", "inno.wav"), "/usr/lib/brindora/Europa/inno.wav");
    EXPECT_EQ(soundPath("/a b/c", "Regno Unito.wav"), "/a b/c/Europa/Regno Unito.wav");
}

TEST(SoundPath, RootFolderGetsOneSeparator) {
    EXPECT_EQ(soundPath("/", "esatto.wav"), "/Europa/esatto.wav");
}

struct Lookup {
    const char* name;
    const char* onDisk; // file created, relative to the program folder
    const char* asked;  // file name the game asks for
    bool found;
};
void PrintTo(const Lookup& c, std::ostream* os) {
    *os << '"' << c.asked << "\" with \"" << c.onDisk << "\" on disk";
}

class FindIgnoringCase : public SoundPathTest, public ::testing::WithParamInterface<Lookup> {};

TEST_P(FindIgnoringCase, FindsOnlyWhatDiffersInCase) {
    const Lookup& c = GetParam();
    if (*c.onDisk)
        touch(c.onDisk);
    const auto found = findIgnoringCase(soundPath(dir.string(), c.asked));
    ASSERT_EQ(found.has_value(), c.found);
    if (c.found) {
        EXPECT_TRUE(fs::equivalent(*found, dir / c.onDisk));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindIgnoringCase,
    ::testing::Values(
        Lookup{"same case", "Europa/esatto.wav", "esatto.wav", true},
        Lookup{"capitals", "EUROPA/ESATTO.WAV", "esatto.wav", true},
        Lookup{"mixed case", "europa/Esatto.Wav", "esatto.wav", true},
        Lookup{"blank in the name", "Europa/Repubblica Ceca.wav", "Repubblica Ceca.wav", true},
        Lookup{"blank and capitals", "EUROPA/REPUBBLICA CECA.WAV", "Repubblica Ceca.wav", true},
        Lookup{"blank missing", "Europa/RepubblicaCeca.wav", "Repubblica Ceca.wav", false},
        Lookup{"another file", "Europa/inno.wav", "esatto.wav", false},
        Lookup{"another folder", "Suoni/esatto.wav", "esatto.wav", false},
        Lookup{"nothing on disk", "", "esatto.wav", false}),
    brindora::testing::ByName());

TEST_F(SoundPathTest, ADirectoryIsNotARecording) {
    fs::create_directories(dir / "Europa" / "esatto.wav");
    EXPECT_FALSE(findIgnoringCase(soundPath(dir.string(), "esatto.wav")).has_value());
}

TEST_F(SoundPathTest, MissingProgramFolderIsSilence) {
    EXPECT_FALSE(findIgnoringCase(soundPath((dir / "nowhere").string(), "inno.wav")).has_value());
}

TEST_F(SoundPathTest, EveryRecordingOfTheGameIsFoundInCapitals) {
    for (std::string_view file : soundFiles()) {
        std::string upper(file);
        for (char& ch : upper)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        touch(fs::path("EUROPA") / upper);
    }
    for (std::string_view file : soundFiles())
        EXPECT_TRUE(findIgnoringCase(soundPath(dir.string(), file)).has_value()) << file;
}

} // namespace
