// libFuzzer target: the game's whole recording path on one file. The bytes are put where the
// game looks for a recording, then suona's checks open it (lookup, WAV check, encoding and
// channel check, the reader) and the samples are pulled as the sound server pulls them.
#include "pulse_output.h"
#include "silence_report.h"
#include "sound_player.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A program folder of its own, with its Europa folder, removed at exit.
const std::string& recordingPath() {
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/brindora-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        fs::create_directories(pattern + "/Europa");
        static const std::string folder = pattern;
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(folder, ec);
        });
        return pattern + "/Europa/Malta.wav";
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = recordingPath();
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, out);
        std::fclose(out);
    }
    std::vector<std::string> lines;
    brindora::SilenceReport report([&](const std::string& line) { lines.push_back(line); });
    if (std::unique_ptr<brindora::DecodedFile> sound = brindora::openRecording(path, report)) {
        // The server asks for its buffer in pieces of varying size (200 ms at most here).
        std::vector<unsigned char> buffer(
            std::size_t(sound->info.samplerate) / 5 * sound->frameBytes() + sound->frameBytes());
        std::size_t ask = 1;
        for (int pulls = 0; pulls < 10000; ++pulls) {
            ask = ask * 7 % buffer.size() + 1;
            const std::size_t got = sound->pull(buffer.data(), ask);
            if (got > ask || got % sound->frameBytes() != 0)
                std::abort(); // more than asked for, or a frame cut in two
            if (ask >= sound->frameBytes() && got == 0)
                break;
        }
    } else if (lines.size() != 1) {
        std::abort(); // a silent file is told in one line
    }
    return 0;
}
