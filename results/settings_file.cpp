// A small reader of the INI-style file: [group] lines, key=value, '#' and ';' comments.
#include "settings_file.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace brindora {

namespace {

constexpr const char* kFileName = "brindora.conf";

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

struct Found {
    bool folderSet = false, pupilSet = false;
    std::string folder, pupil, scan;
};

// The keys of [results] in one file; a missing or unreadable file has none.
Found readFile(const std::string& path, const std::string& home) {
    Found found;
    std::ifstream in(path);
    std::string line, group;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (line.empty() || line[0] == '#' || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            group = trimmed(line.substr(1, line.size() - 2));
            continue;
        }
        const auto equals = line.find('=');
        if ((group != "results" && group != "accessibility") || equals == std::string::npos)
            continue;
        const std::string key = trimmed(line.substr(0, equals));
        std::string value = trimmed(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (group == "accessibility") {
            if (key == "scan")
                found.scan = value;
        } else if (key == "folder") {
            if (value.rfind("~/", 0) == 0 && !home.empty())
                value = home + value.substr(1);
            found.folderSet = true;
            found.folder = value;
        } else if (key == "pupil") {
            found.pupilSet = true;
            found.pupil = value;
        }
    }
    return found;
}

} // namespace

SettingsPlaces SettingsPlaces::fromEnvironment() {
    return {environment("HOME"), environment("XDG_CONFIG_HOME"), environment("XDG_CONFIG_DIRS")};
}

ResultsSettings readResultsSettings(const SettingsPlaces& places) {
    ResultsSettings settings;
    // XDG: the first folder of XDG_CONFIG_DIRS matters most; relative paths do not count.
    std::vector<std::string> system;
    std::string dirs = places.configDirs.empty() ? "/etc/xdg" : places.configDirs;
    for (std::size_t start = 0; start <= dirs.size();) {
        const auto colon = std::min(dirs.find(':', start), dirs.size());
        const std::string dir = dirs.substr(start, colon - start);
        if (!dir.empty() && dir.front() == '/')
            system.push_back(dir + "/" + kFileName);
        start = colon + 1;
    }
    for (auto it = system.rbegin(); it != system.rend(); ++it) {
        const Found found = readFile(*it, places.home);
        if (found.folderSet) {
            settings.folder = found.folder;
            settings.folderFrom = *it;
        }
    }
    std::string userDir = places.configHome;
    if (userDir.empty() || userDir.front() != '/')
        userDir = places.home.empty() ? "" : places.home + "/.config";
    if (!userDir.empty()) {
        const std::string path = userDir + "/" + kFileName;
        const Found found = readFile(path, places.home);
        if (found.folderSet) {
            settings.folder = found.folder;
            settings.folderFrom = path;
        }
        if (found.pupilSet)
            settings.pupil = found.pupil;
        settings.scan = found.scan;
    }
    return settings;
}

std::string pupilName(const std::string& given, const ResultsSettings& settings) {
    if (!trimmed(given).empty())
        return given;
    if (!trimmed(settings.pupil).empty())
        return settings.pupil;
    if (const passwd* user = getpwuid(getuid())) {
        std::string full = user->pw_gecos ? user->pw_gecos : "";
        full = trimmed(full.substr(0, full.find(',')));
        if (!full.empty())
            return full;
        if (user->pw_name && *user->pw_name)
            return user->pw_name;
    }
    const std::string login = environment("LOGNAME");
    return login.empty() ? "alunno" : login;
}

} // namespace brindora
