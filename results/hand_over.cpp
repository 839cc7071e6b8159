// The copy is named as the game's file, with the folder it belongs to in "<name>.cartella".
#include "hand_over.h"

#include "file_name.h"
#include "messages.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>

namespace brindora {

namespace {

constexpr const char* kFolderNote = ".cartella";
constexpr std::size_t kLargestCopy = 16 << 20;

// The same folder, however the teacher typed it (a trailing separator, "." parts).
bool sameFolder(const std::string& a, const std::string& b) {
    std::error_code ignored;
    const auto clean = [&](const std::string& path) {
        const auto full = std::filesystem::weakly_canonical(std::filesystem::u8path(path), ignored);
        return (full.empty() ? std::filesystem::u8path(path) : full).lexically_normal();
    };
    auto x = clean(a), y = clean(b);
    return x == y || x / "" == y || x == y / "";
}

bool writeLocal(const std::string& path, const std::string& text) {
    std::ofstream out(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    return bool(out);
}

} // namespace

int reopenOwn(FileOps& files, const std::string& path, const std::string& text, std::size_t& kept) {
    std::string there;
    const int read = files.readBack(path, text.size() + 1, there);
    if (read == ENOENT)
        return -ENOENT;
    if (read < 0)
        return -EEXIST; // a link, a folder, or larger than the whole game: not ours
    if (read > 0)
        return -read;
    const std::size_t same =
        std::mismatch(there.begin(), there.end(), text.begin(), text.end()).first - there.begin();
    // Ours when it holds the start of the game, or a start of it cut short.
    const std::size_t start = text.find("\r\n", text.find("\r\n") + 2) + 2; // two lines
    if (same < there.size() && same < std::min(start, text.size()))
        return -EEXIST;
    // Up to the end of the last whole row both hold.
    const std::size_t lastEnd = same < 2 ? std::string::npos : text.rfind("\r\n", same - 2);
    kept = lastEnd == std::string::npos ? 0 : lastEnd + 2;
    const int fd = files.reopen(path, kept);
    return fd;
}

std::string keepOnThisPc(const std::string& pendingDir, const std::string& folder,
                         const std::string& fileName, const std::string& text) {
    std::error_code failed;
    std::filesystem::create_directories(std::filesystem::u8path(pendingDir), failed);
    const std::string path = inFolder(pendingDir, fileName);
    if (failed || !writeLocal(path + kFolderNote, folder) || !writeLocal(path, text))
        return {};
    return path;
}

void handOver(FileOps& files, const std::string& pendingDir, const std::string& folder,
              const std::function<void(const std::string&)>& report) {
    std::vector<std::string> names;
    if (pendingDir.empty() || listFolder(pendingDir, names) != 0)
        return;
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string copy = inFolder(pendingDir, name);
        std::string target, text;
        if (name.size() <= 4 || name.substr(name.size() - 4) != kGameFileExtension ||
            readFile(copy + kFolderNote, 4096, false, target) != 0 || !sameFolder(target, folder) ||
            readFile(copy, kLargestCopy, false, text) != 0)
            continue;
        std::size_t kept = 0;
        std::string path = inFolder(folder, name);
        int fd = reopenOwn(files, path, text, kept);
        for (int attempt = 0; fd == -ENOENT || (fd == -EEXIST && attempt < 20); ++attempt) {
            if (fd == -EEXIST)
                path = inFolder(folder, randomFileName(name));
            kept = 0;
            fd = files.create(path);
        }
        std::size_t written = 0;
        int error = fd < 0 ? -fd : files.write(fd, std::string_view(text).substr(kept), written);
        if (fd >= 0) {
            if (error == 0)
                error = files.sync(fd);
            files.close(fd);
        }
        if (error != 0) {
            report(say(QT_TRANSLATE_NOOP("brindora", "brindora: results: the copy \"%1\" is still "
                                                     "waiting for \"%2\" (%3)"),
                       {copy, folder, errorText(error)}));
            continue;
        }
        std::error_code ignored;
        std::filesystem::remove(std::filesystem::u8path(copy), ignored);
        std::filesystem::remove(std::filesystem::u8path(copy + kFolderNote), ignored);
        report(say(QT_TRANSLATE_NOOP("brindora",
                                     "brindora: results: the answers kept on this PC are now in "
                                     "\"%1\""),
                   {path}));
    }
}

} // namespace brindora
