// The system on Windows: %PROGRAMDATA% and %APPDATA% for the settings, the account's display
// name, the browser through the shell.
#include "system_info.h"

#include "file_ops.h"
#include "messages.h"
#include "settings_file.h"
#include "win_text.h"

#define SECURITY_WIN32
#include <secext.h>
#include <shellapi.h>

#include <cerrno>
#include <cstdlib>

namespace brindora {

namespace {

std::string environment(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value ? narrow(value) : std::string();
}

} // namespace

std::tm localTime(std::time_t when) {
    std::tm local{};
    localtime_s(&local, &when);
    return local;
}

std::string hostName() {
    wchar_t name[256] = {};
    DWORD size = sizeof name / sizeof name[0];
    if (!GetComputerNameExW(ComputerNameDnsHostname, name, &size) || name[0] == L'\0')
        return "pc";
    return narrow(name);
}

std::string loginName() {
    wchar_t name[512] = {};
    ULONG size = sizeof name / sizeof name[0];
    // The display name exists on a domain (and for a Microsoft account); a local account has
    // none, and then the login serves.
    if (GetUserNameExW(NameDisplay, name, &size) && name[0] != L'\0')
        return narrow(name);
    return loginAccount();
}

std::string loginAccount() {
    wchar_t name[512] = {};
    DWORD size = sizeof name / sizeof name[0];
    if (GetUserNameW(name, &size) && name[0] != L'\0')
        return narrow(name);
    return environment(L"USERNAME");
}

SettingsPlaces settingsPlacesFromEnvironment() {
    SettingsPlaces places;
    places.home = environment(L"USERPROFILE");
    const std::string lab = environment(L"PROGRAMDATA"), user = environment(L"APPDATA");
    if (!lab.empty())
        places.labFiles.push_back(inFolder(inFolder(lab, "Brindora"), "brindora.conf"));
    if (!user.empty())
        places.userFile = inFolder(inFolder(user, "Brindora"), "brindora.conf");
    return places;
}

std::string userDataFolder() {
    const std::string local = environment(L"LOCALAPPDATA");
    return local.empty() ? std::string() : inFolder(local, "Brindora");
}

int openInBrowser(const std::string& path, std::string& detail) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32)
        return 0;
    detail = say(QT_TRANSLATE_NOOP("brindora", "Windows could not open it (error %1)"),
                 {std::to_string(result)});
    return EIO;
}

} // namespace brindora
