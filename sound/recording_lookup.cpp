// Resolving the path of a recording.
#include "recording_lookup.h"

#include "utf8_path.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace brindora {

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

bool denied(const std::error_code& ec) {
    return ec == std::errc::permission_denied;
}

// The entry of dir named like name (exact name first). NotSearchable when dir cannot be read.
RecordingLookup findEntry(const fs::path& dir, const fs::path& name) {
    std::error_code ec;
    if (fs::exists(dir / name, ec))
        return {LookupResult::Found, utf8Of(dir / name), {}};
    if (denied(ec))
        return {LookupResult::NotSearchable, utf8Of(dir), ec.message()};
    const std::string wanted = utf8Of(name);
    fs::directory_iterator it(dir, ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        if (sameIgnoringCase(utf8Of(it->path().filename()), wanted))
            return {LookupResult::Found, utf8Of(it->path()), {}};
    }
    if (denied(ec))
        return {LookupResult::NotSearchable, utf8Of(dir), ec.message()};
    return {LookupResult::NoFile, utf8Of(dir / name), {}};
}

} // namespace

RecordingLookup lookUpRecording(const std::string& path) {
    const fs::path wanted = pathOf(path);
    std::error_code ec;
    if (fs::exists(wanted, ec))
        return {LookupResult::Found, path, {}};
    if (denied(ec))
        return {LookupResult::NotSearchable, path, ec.message()};
    // Only the last two parts (the sound folder and the file) are matched loosely;
    // the program's own folder is as the platform reports it.
    const fs::path folder = wanted.parent_path();
    const RecordingLookup dir = findEntry(folder.parent_path(), folder.filename());
    if (dir.result == LookupResult::NoFile)
        return {LookupResult::NoFolder, utf8Of(folder), {}};
    if (dir.result != LookupResult::Found)
        return dir;
    const RecordingLookup file = findEntry(dir.path, wanted.filename());
    return file.result == LookupResult::NoFile ? RecordingLookup{LookupResult::NoFile, path, {}}
                                               : file;
}

std::optional<std::string> findIgnoringCase(const std::string& path) {
    const RecordingLookup found = lookUpRecording(path);
    std::error_code ec;
    if (found.result != LookupResult::Found || !fs::is_regular_file(pathOf(found.path), ec))
        return std::nullopt;
    return found.path;
}

} // namespace brindora
