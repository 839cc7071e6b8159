// A small reader of the INI-style file: [group] lines, key=value, '#' and ';' comments.
#include "settings_file.h"

#include "file_name.h"
#include "file_ops.h"
#include "messages.h"
#include "system_info.h"

#include <algorithm>
#include <optional>
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
    std::optional<std::string> folder, pupil, askPupil, sharedLogins, scan;
};

// The keys of [results] in one file; a missing or unreadable file has none. Names must be
// UTF-8, as the game files are: one that is not is left out, with a line saying so.
Found parseSettings(const std::string& text, const std::string& path, const std::string& home,
                    std::vector<std::string>& problems) {
    Found found;
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
            continue; // other groups and keys are other parts' (or a newer version's)
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
            found.folder = value;
        } else if (key == "pupil" || key == "shared_logins") {
            if (!validUtf8(value)) {
                problems.push_back(
                    say(QT_TRANSLATE_NOOP("brindora", "brindora: %1: %2= is not UTF-8 text: "
                                                      "left out"),
                        {path, key}));
                continue;
            }
            (key == "pupil" ? found.pupil : found.sharedLogins) = value;
        } else if (key == "ask_pupil") {
            if (value != "0" && value != "1") {
                problems.push_back(
                    say(QT_TRANSLATE_NOOP("brindora", "brindora: %1: ask_pupil= takes 1 or 0, "
                                                      "not \"%2\": left out"),
                        {path, value}));
                continue;
            }
            found.askPupil = value;
        }
    }
    return found;
}

Found readSettingsFile(const std::string& path, const std::string& home,
                       std::vector<std::string>& problems) {
    std::string text;
    if (readFile(path, kLargestSettingsFile, true, text) != 0)
        return {};
    return parseSettings(text, path, home, problems);
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::vector<std::string> listOf(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');)
        if (!trimmed(item).empty())
            out.push_back(lowered(trimmed(item)));
    return out;
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

namespace {

// Each file's keys over those of the files before it.
struct Merge {
    ResultsSettings settings;
    void take(const Found& found, const std::string& path, bool user) {
        if (found.folder) {
            settings.folder = *found.folder;
            settings.folderFrom = path;
        }
        if (found.pupil)
            (user ? settings.pupil : settings.labPupil) = *found.pupil;
        if (found.askPupil)
            settings.askPupil = *found.askPupil == "1";
        if (found.sharedLogins && !user)
            settings.sharedLogins = listOf(*found.sharedLogins);
        if (found.scan && user) // the pupil's own: a lab's scan= is not taken
            settings.scan = *found.scan;
    }
};

} // namespace

ResultsSettings readResultsSettings(const SettingsPlaces& places) {
    Merge merge;
    auto& problems = merge.settings.problems;
    // The lab's files, the one that matters most last; then the user's over them.
    for (auto it = places.labFiles.rbegin(); it != places.labFiles.rend(); ++it)
        merge.take(readSettingsFile(*it, places.home, problems), *it, false);
    if (!places.userFile.empty())
        merge.take(readSettingsFile(places.userFile, places.home, problems), places.userFile, true);
    return merge.settings;
}

ResultsSettings settingsFromText(const std::string& labText, const std::string& userText) {
    Merge merge;
    auto& problems = merge.settings.problems;
    merge.take(parseSettings(labText, "lab", "/home", problems), "lab", false);
    merge.take(parseSettings(userText, "user", "/home", problems), "user", true);
    return merge.settings;
}

std::string pupilName(const std::string& given, const ResultsSettings& settings) {
    if (!trimmed(given).empty())
        return given;
    for (const std::string* name : {&settings.pupil, &settings.labPupil})
        if (!trimmed(*name).empty())
            return *name;
    const std::string login = loginName();
    return login.empty() ? "alunno" : login;
}

PupilQuestion pupilQuestion(const std::string& given, const ResultsSettings& settings,
                            const std::string& login) {
    if (!trimmed(given).empty())
        return {};
    const auto& shared = settings.sharedLogins;
    if (std::find(shared.begin(), shared.end(), lowered(login)) != shared.end())
        return {true, trimmed(settings.labPupil)};
    if (settings.askPupil)
        return {true, pupilName("", settings)};
    return {};
}

} // namespace brindora
