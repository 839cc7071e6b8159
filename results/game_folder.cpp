// The folder is shared with every pupil's PC: its files are read without following links,
// only if they are plain files, and only up to a size no game reaches.
#include "game_folder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindora {

namespace {

constexpr off_t kLargestGameFile = 16 << 20;

bool csvName(const std::string& name) {
    if (name.size() < 5 || name[0] == '.')
        return false;
    std::string end = name.substr(name.size() - 4);
    std::transform(end.begin(), end.end(), end.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return end == ".csv";
}

// The file's bytes, or an empty why.
bool readFile(const std::string& path, std::string& text, std::string& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = errno == ELOOP ? "it is a symbolic link" : std::strerror(errno);
        return false;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0;
    if (!ok || !S_ISREG(info.st_mode))
        why = "it is not a plain file";
    else if (info.st_size > kLargestGameFile)
        why = "it is too large for a game file";
    else {
        text.resize(static_cast<std::size_t>(info.st_size));
        std::size_t got = 0;
        while (got < text.size()) {
            const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                if (n < 0)
                    why = std::strerror(errno);
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        text.resize(got);
    }
    ::close(fd);
    return why.empty();
}

std::string motivo(ReadProblem problem) {
    switch (problem) {
    case ReadProblem::Truncated:
        return "interrotto prima delle righe delle risposte";
    case ReadProblem::Newer:
        return "scritto da una versione più recente di Brindora";
    default:
        return "non è il file di una partita di Brindora";
    }
}

} // namespace

bool readGameFolder(const std::string& dir, GameFolder& out, std::string& error,
                    const std::function<void(const std::string&)>& report) {
    DIR* folder = ::opendir(dir.c_str());
    if (folder == nullptr) {
        error = "cannot read the folder \"" + dir + "\" (" + std::strerror(errno) + ")";
        return false;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(folder)) {
        if (csvName(entry->d_name))
            names.emplace_back(entry->d_name);
    }
    ::closedir(folder);
    std::sort(names.begin(), names.end());
    std::string text;
    for (const std::string& name : names) {
        const std::string path = dir + "/" + name;
        std::string why;
        if (!readFile(path, text, why)) {
            out.skipped.push_back({name, why, "non si legge come file di una partita"});
            report("brindora: skipped \"" + path + "\": " + why);
            continue;
        }
        ReadResult result = readGameFile(text);
        if (result.problem == ReadProblem::None || result.problem == ReadProblem::LastRowCut) {
            result.record.file = name;
            out.games.push_back(std::move(result.record));
        }
        if (result.problem == ReadProblem::LastRowCut) {
            out.partial.push_back(
                {name, result.detail, "l'ultima riga è interrotta: lette le righe intere"});
            report("brindora: \"" + path + "\": " + result.detail);
        } else if (result.problem != ReadProblem::None) {
            out.skipped.push_back({name, result.detail, motivo(result.problem)});
            report("brindora: skipped \"" + path + "\": " + result.detail);
        }
    }
    return true;
}

std::string pupilKey(const std::string& name) {
    std::string key;
    for (const char c : name) {
        if (c == ' ' || c == '\t') {
            if (!key.empty() && key.back() != ' ')
                key += ' ';
        } else {
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    if (!key.empty() && key.back() == ' ')
        key.pop_back();
    return key;
}

} // namespace brindora
