// The system on Linux: XDG settings folders, the password database, xdg-open.
#include "system_info.h"

#include "messages.h"
#include "settings_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace brindora {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::tm localTime(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return local;
}

std::string hostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
        return "pc";
    return name;
}

std::string loginName() {
    if (const passwd* user = getpwuid(getuid())) {
        std::string full = user->pw_gecos ? user->pw_gecos : "";
        full = trimmed(full.substr(0, full.find(',')));
        if (!full.empty())
            return full;
        if (user->pw_name && *user->pw_name)
            return user->pw_name;
    }
    return environment("LOGNAME");
}

std::string loginAccount() {
    if (const passwd* user = getpwuid(getuid()))
        if (user->pw_name && *user->pw_name)
            return user->pw_name;
    return environment("LOGNAME");
}

SettingsPlaces settingsPlacesFromEnvironment() {
    return SettingsPlaces::xdg(environment("HOME"), environment("XDG_CONFIG_HOME"),
                               environment("XDG_CONFIG_DIRS"));
}

std::string userDataFolder() {
    std::string data = environment("XDG_DATA_HOME");
    if (data.empty() || data.front() != '/') {
        const std::string home = environment("HOME");
        if (home.empty())
            return {};
        data = home + "/.local/share";
    }
    return data + "/brindora";
}

int openInBrowser(const std::string& path, std::string& detail) {
    std::string program = "xdg-open", argument = path;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    int status = 0;
    if (const int failed = posix_spawnp(&child, argv[0], nullptr, nullptr, argv, environ)) {
        detail = say(QT_TRANSLATE_NOOP("brindora", "cannot start xdg-open (%1)"),
                     {std::strerror(failed)});
        return failed;
    }
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        detail = say(QT_TRANSLATE_NOOP("brindora", "xdg-open could not open it"));
        return EIO;
    }
    return 0;
}

} // namespace brindora
