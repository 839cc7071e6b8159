// brindora.conf, the one place it is read: the results folder and the pupil's name, as a
// technician sets them for a whole lab (XDG_CONFIG_DIRS) or for one user (XDG_CONFIG_HOME).
#pragma once

#include <string>

namespace brindora {

// Where the settings files are looked for; fromEnvironment() reads the process's own.
struct SettingsPlaces {
    std::string home;       // HOME
    std::string configHome; // XDG_CONFIG_HOME, empty: $HOME/.config
    std::string configDirs; // XDG_CONFIG_DIRS, empty: /etc/xdg
    static SettingsPlaces fromEnvironment();
};

struct ResultsSettings {
    std::string folder;     // [results] folder=, the user's over the system's; empty: none
    std::string folderFrom; // the file it came from
    std::string pupil;      // [results] pupil=, from the user's file only
    std::string scan;       // [accessibility] scan=, seconds, from the user's file only
};

ResultsSettings readResultsSettings(const SettingsPlaces& places);

// The pupil's name: the one given, else the settings' pupil=, else the login's full name,
// else the login name.
std::string pupilName(const std::string& given, const ResultsSettings& settings);

} // namespace brindora
