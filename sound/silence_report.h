// Why a recording gives silence, told to the teacher on standard error, once per file and reason.
#pragma once

#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <utility>

namespace brindora {

enum class Silence {
    FolderMissing,   // the sound folder is not beside the program
    Missing,         // no file of that name in the folder
    Unreadable,      // the file or its folder cannot be read
    NotCompleteWav,  // not a RIFF/WAVE file, or one cut short
    UnknownFormat,   // a whole WAV file in an encoding that cannot be decoded
    TooManyChannels, // more channels than the sound server can place
    NoSoundServer,   // no sound server to play it on, or it went away while playing
};

class SilenceReport {
public:
    using Sink = std::function<void(const std::string& line)>;

    explicit SilenceReport(Sink sink = toStandardError);

    // Tells why `path` (a file, or the folder for FolderMissing) is silent, unless it was
    // told already for this path and reason. Safe to call from any thread.
    void silent(const std::string& path, Silence why, const std::string& detail = {});

    // The line told, without its end of line.
    static std::string line(const std::string& path, Silence why, const std::string& detail);
    static void toStandardError(const std::string& line);

private:
    std::mutex m_mutex;
    Sink m_sink;
    std::set<std::pair<std::string, Silence>> m_told;
};

} // namespace brindora
