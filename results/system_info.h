// What results asks of the system besides files, one file per platform behind it
// (system_info_posix.cpp, system_info_win.cpp). Every text is UTF-8.
#pragma once

#include <ctime>
#include <string>

namespace brindora {

struct SettingsPlaces;

std::tm localTime(std::time_t when);
std::string hostName(); // "pc" when the system gives none

// The login's full name, else the login itself; empty when neither is known.
std::string loginName();
// The login itself ("studente").
std::string loginAccount();

// Where brindora.conf is looked for, from the process's environment: the lab's and the user's.
SettingsPlaces settingsPlacesFromEnvironment();

// This user's own data folder for Brindora (Linux: XDG_DATA_HOME/brindora, Windows:
// %LOCALAPPDATA%\Brindora); empty when there is none.
std::string userDataFolder();

// Opens the page in the desktop's browser: 0, or an errno with detail saying what failed.
int openInBrowser(const std::string& path, std::string& detail);

} // namespace brindora
