// Finding a recording on disk, as its path is written or with the letter case changed.
#pragma once

#include <optional>
#include <string>

namespace brindora {

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
