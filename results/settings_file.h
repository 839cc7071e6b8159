// brindora.conf, the one place it is read: the results folder and the pupil's name, as a
// technician sets them for a whole lab or for one user.
#pragma once

#include <string>
#include <vector>

namespace brindora {

// The settings files, lab-wide and the user's own; fromEnvironment() as this platform has
// them (Linux: XDG_CONFIG_DIRS and XDG_CONFIG_HOME; Windows: %PROGRAMDATA% and %APPDATA%).
struct SettingsPlaces {
    std::string home;                  // what "~/" stands for in folder=
    std::vector<std::string> labFiles; // the one that matters most first
    std::string userFile;              // empty: none
    static SettingsPlaces fromEnvironment();
    // The XDG rule: the first folder of configDirs matters most, relative ones do not count;
    // empty configDirs is /etc/xdg, empty configHome is home/.config.
    static SettingsPlaces xdg(const std::string& home, const std::string& configHome,
                              const std::string& configDirs);
};

struct ResultsSettings {
    std::string folder;     // [results] folder=, the user's over the lab's; empty: none
    std::string folderFrom; // the file it came from
    std::string pupil;      // [results] pupil= in the user's file
    std::string scan;       // [accessibility] scan=, seconds, from the user's file only
    std::string labPupil;   // [results] pupil= in the lab's: the name when nothing better is known
    bool askPupil = false;  // [results] ask_pupil=1: the name box before the first state
    std::vector<std::string> sharedLogins; // [results] shared_logins= (lab): logins a class shares
    std::vector<std::string> problems;     // lines for standard error: values not taken
};

ResultsSettings readResultsSettings(const SettingsPlaces& places);
// The same from the texts of one lab file and the user's file (for the fuzzer).
ResultsSettings settingsFromText(const std::string& labText, const std::string& userText);

// The pupil's name: the one given, else the user's pupil=, else the lab's, else the login's
// full name, else the login name.
std::string pupilName(const std::string& given, const ResultsSettings& settings);

// Whether the name box is shown before the first state, and the name it starts with: when no
// name is given and ask_pupil=1 (starting with the name known), or on a shared login
// (starting empty, as nobody's name is known there).
struct PupilQuestion {
    bool ask = false;
    std::string prefill;
};
PupilQuestion pupilQuestion(const std::string& given, const ResultsSettings& settings,
                            const std::string& login);

} // namespace brindora
