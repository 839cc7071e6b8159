// Building and resolving the path of a recording.
#include "sound_path.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

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

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// The entry of dir named like name (exact name first), if any.
std::optional<fs::path> findEntry(const fs::path& dir, const fs::path& name) {
    std::error_code ec;
    if (fs::exists(dir / name, ec))
        return dir / name;
    const std::string wanted = name.string();
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (sameIgnoringCase(it->path().filename().string(), wanted))
            return it->path();
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> findIgnoringCase(const std::string& path) {
    const fs::path wanted(path);
    std::error_code ec;
    if (fs::is_regular_file(wanted, ec))
        return wanted.string();
    // Only the last two parts (the sound folder and the file) are matched loosely;
    // the program's own folder is as the platform reports it.
    const fs::path folder = wanted.parent_path();
    const auto dir = findEntry(folder.parent_path(), folder.filename());
    if (!dir)
        return std::nullopt;
    const auto file = findEntry(*dir, wanted.filename());
    if (!file || !fs::is_regular_file(*file, ec))
        return std::nullopt;
    return file->string();
}

} // namespace brindora
