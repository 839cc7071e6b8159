// Where the recordings live: the folder Europa beside the program.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brindora {

inline constexpr std::string_view kSoundFolder = "Europa";

// programDir + one separator + "Europa" + separator + fileName, with the platform's separator.
std::string soundPath(const std::string& programDir, std::string_view fileName);

// The file at this path, or one whose folder and file names differ from it only in
// letter case (the recordings may come from a file system that ignores case).
// Nothing when no such regular file exists.
std::optional<std::string> findIgnoringCase(const std::string& path);

} // namespace brindora
