// Windows: a windowed program starts with no standard output or error. Started from cmd or
// PowerShell, it writes into that console; started with its output redirected (a script, a
// deployment tool, Wine from a terminal) it keeps those handles; otherwise its lines go to
// %LOCALAPPDATA%\Brindora\brindora.log, begun afresh when it has grown past kLogLimit.
#include "messages.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <fcntl.h>
#include <io.h>
#include <string>

namespace brindora::messages {

namespace {

constexpr long long kLogLimit = 256 * 1024;

std::wstring g_log;

bool usable(DWORD which) {
    const HANDLE h = GetStdHandle(which);
    return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

std::string narrow(const std::wstring& wide) {
    if (wide.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(std::size_t(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

void toLogFile() {
    wchar_t base[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", base, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return;
    std::wstring dir = std::wstring(base) + L"\\Brindora";
    CreateDirectoryW(dir.c_str(), nullptr);
    g_log = dir + L"\\brindora.log";
    WIN32_FILE_ATTRIBUTE_DATA info;
    const bool big = GetFileAttributesExW(g_log.c_str(), GetFileExInfoStandard, &info) &&
                     ((long long)info.nFileSizeHigh << 32 | info.nFileSizeLow) > kLogLimit;
    const wchar_t* mode = big ? L"w" : L"a";
    if (!_wfreopen(g_log.c_str(), mode, stderr)) {
        g_log.clear();
        return;
    }
    _wfreopen(g_log.c_str(), L"a", stdout);
    std::setvbuf(stderr, nullptr, _IONBF, 0);
}

} // namespace

void begin() {
    const bool out = usable(STD_OUTPUT_HANDLE);
    const bool err = usable(STD_ERROR_HANDLE);
    if (out && err)
        return;
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (!out)
            _wfreopen(L"CONOUT$", L"w", stdout);
        if (!err)
            _wfreopen(L"CONOUT$", L"w", stderr);
        return;
    }
    if (!err)
        toLogFile();
}

std::string logFile() {
    return narrow(g_log);
}

// Nothing under Qt writes behind its back on Windows.
void holdStartupOutput() {}
void releaseStartupOutput() {}

void writeError(const std::string& line) {
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

void leaveNow(int code) {
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(code);
}

} // namespace brindora::messages
