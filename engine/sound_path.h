// Where the recordings live: the folder Europa beside the program.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brindora {

inline constexpr std::string_view kSoundFolder = "Europa";

// programDir + one separator + "Europa" + separator + fileName, with the platform's separator.
std::string soundPath(const std::string& programDir, std::string_view fileName);

// What looking for a recording found.
enum class LookupResult { Found, NoFolder, NoFile, NotSearchable };

struct RecordingLookup {
    LookupResult result = LookupResult::NoFile;
    std::string path;   // the entry found; for NoFolder the folder looked for
    std::string detail; // for NotSearchable: the system's reason
};

// The entry at this path, or one whose folder and file names differ from it only in
// letter case (the recordings may come from a file system that ignores case). The entry
// found may be anything, a folder too.
RecordingLookup lookUpRecording(const std::string& path);

// The same, but only a regular file counts; nothing otherwise.
std::optional<std::string> findIgnoringCase(const std::string& path);

} // namespace brindora
