// Building the path of a recording.
#include "sound_path.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace brindora {

std::string soundPath(const std::string& programDir, std::string_view fileName) {
    std::string path = programDir;
    if (path.empty() || path.back() != fs::path::preferred_separator)
        path += fs::path::preferred_separator;
    path += kSoundFolder;
    path += fs::path::preferred_separator;
    path += fileName;
    return path;
}

} // namespace brindora
