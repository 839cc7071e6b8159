// A small reader of the INI-style file: [group] lines, key=value, '#' and ';' comments.
#include "settings_file.h"

#include "file_ops.h"
#include "system_info.h"

#include <algorithm>
#include <sstream>

namespace brindora {

namespace {

constexpr const char* kFileName = "brindora.conf";

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

constexpr std::size_t kLargestSettingsFile = 1 << 20;

struct Found {
    bool folderSet = false, pupilSet = false;
    std::string folder, pupil, scan;
};

// The keys of [results] in one file; a missing or unreadable file has none.
Found readSettingsFile(const std::string& path, const std::string& home) {
    Found found;
    std::string text;
    if (readFile(path, kLargestSettingsFile, true, text) != 0)
        return found;
    std::istringstream in(text);
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
    return settingsPlacesFromEnvironment();
}

SettingsPlaces SettingsPlaces::xdg(const std::string& home, const std::string& configHome,
                                   const std::string& configDirs) {
    SettingsPlaces places;
    places.home = home;
    const std::string dirs = configDirs.empty() ? "/etc/xdg" : configDirs;
    for (std::size_t start = 0; start <= dirs.size();) {
        const auto colon = std::min(dirs.find(':', start), dirs.size());
        const std::string dir = dirs.substr(start, colon - start);
        if (!dir.empty() && dir.front() == '/')
            places.labFiles.push_back(dir + "/" + kFileName);
        start = colon + 1;
    }
    std::string userDir = configHome;
    if (userDir.empty() || userDir.front() != '/')
        userDir = home.empty() ? "" : home + "/.config";
    if (!userDir.empty())
        places.userFile = userDir + "/" + kFileName;
    return places;
}

ResultsSettings readResultsSettings(const SettingsPlaces& places) {
    ResultsSettings settings;
    for (auto it = places.labFiles.rbegin(); it != places.labFiles.rend(); ++it) {
        const Found found = readSettingsFile(*it, places.home);
        if (found.folderSet) {
            settings.folder = found.folder;
            settings.folderFrom = *it;
        }
    }
    if (!places.userFile.empty()) {
        const Found found = readSettingsFile(places.userFile, places.home);
        if (found.folderSet) {
            settings.folder = found.folder;
            settings.folderFrom = places.userFile;
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
    const std::string login = loginName();
    return login.empty() ? "alunno" : login;
}

} // namespace brindora
