// The file-system calls on Windows: UTF-16 paths made from UTF-8, local, mapped or UNC
// (\\server\share\...); files made with CREATE_NEW, links and junctions refused.
#include "file_ops.h"
#include "win_text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <random>

namespace brindora {

namespace {

// The errno closest to a Windows error, so that the shared code tells them apart as on Linux.
int errnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_NETWORK_ACCESS_DENIED:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_INVALID_HANDLE:
        return EBADF;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_NETNAME_DELETED: // the server let go of the handle (a reconnect, a restart)
    case ERROR_DEV_NOT_EXIST:
        return ENXIO;
    default:
        return EIO; // ERROR_UNEXP_NET_ERR, ERROR_SEM_TIMEOUT, ...
    }
}

HANDLE handleOf(int fd) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

// A handle as a C runtime descriptor, which the shared code keeps; closing it closes both.
int descriptorOf(HANDLE file) {
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_BINARY);
    if (fd < 0)
        CloseHandle(file);
    return fd;
}

int writeAll(HANDLE file, std::string_view data, std::size_t& written) {
    written = 0;
    while (written < data.size()) {
        const DWORD chunk = DWORD(std::min<std::size_t>(data.size() - written, 1 << 20));
        DWORD n = 0;
        if (!WriteFile(file, data.data() + written, chunk, &n, nullptr))
            return errnoOf(GetLastError());
        if (n == 0)
            return EIO;
        written += n;
    }
    return 0;
}

} // namespace

int FileOps::create(const std::string& path) {
    // CREATE_NEW fails on any name that exists, a link included; with
    // FILE_FLAG_OPEN_REPARSE_POINT no reparse point is ever followed.
    const HANDLE file =
        CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A plain file where the folder should be: Windows says only that the path is not
        // found; the teacher is told what it is.
        if (error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY) {
            const std::wstring name = wide(path);
            const std::size_t cut = name.find_last_of(L"\\/");
            const DWORD parent = cut == std::wstring::npos
                                     ? INVALID_FILE_ATTRIBUTES
                                     : GetFileAttributesW(name.substr(0, cut).c_str());
            if (parent != INVALID_FILE_ATTRIBUTES && !(parent & FILE_ATTRIBUTE_DIRECTORY))
                return -ENOTDIR;
        }
        return -errnoOf(error);
    }
    const int fd = descriptorOf(file);
    return fd >= 0 ? fd : -EMFILE;
}

int FileOps::write(int fd, std::string_view data, std::size_t& written) {
    return writeAll(handleOf(fd), data, written);
}

int FileOps::sync(int fd) {
    return FlushFileBuffers(handleOf(fd)) ? 0 : errnoOf(GetLastError());
}

int FileOps::reopen(const std::string& path, std::size_t keep) {
    const HANDLE file =
        CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -errnoOf(GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    LARGE_INTEGER at{};
    at.QuadPart = LONGLONG(keep);
    if (!GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY))) {
        CloseHandle(file);
        return -EEXIST; // not our file any more
    }
    if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN) || !SetEndOfFile(file)) {
        const int error = errnoOf(GetLastError());
        CloseHandle(file);
        return -error;
    }
    const int fd = descriptorOf(file);
    return fd >= 0 ? fd : -EMFILE;
}

int FileOps::readBack(const std::string& path, std::size_t most, std::string& text) {
    return readFile(path, most, false, text);
}

bool FileOps::removed(int fd) {
    FILE_STANDARD_INFO info{};
    if (!GetFileInformationByHandleEx(handleOf(fd), FileStandardInfo, &info, sizeof info))
        return true;
    return info.DeletePending || info.NumberOfLinks == 0;
}

bool FileOps::lost(int error) {
    return error != EAGAIN && error != ENOSPC;
}

void FileOps::close(int fd) {
    _close(fd);
}

int readFile(const std::string& path, std::size_t most, bool followLinks, std::string& text) {
    text.clear();
    const HANDLE file = CreateFileW(
        wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT), nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return errnoOf(GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    int result = 0;
    if (!GetFileInformationByHandle(file, &info) || GetFileType(file) != FILE_TYPE_DISK ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        result = kNotPlain;
    else if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        result = kIsLink;
    else if ((ULONGLONG(info.nFileSizeHigh) << 32 | info.nFileSizeLow) > most)
        result = kTooLarge;
    else {
        text.resize(std::size_t(ULONGLONG(info.nFileSizeHigh) << 32 | info.nFileSizeLow));
        std::size_t got = 0;
        while (got < text.size()) {
            DWORD n = 0;
            if (!ReadFile(file, text.data() + got, DWORD(text.size() - got), &n, nullptr)) {
                result = errnoOf(GetLastError());
                break;
            }
            if (n == 0)
                break;
            got += n;
        }
        text.resize(got);
    }
    CloseHandle(file);
    return result;
}

int listFolder(const std::string& dir, std::vector<std::string>& names) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileExW(wide(inFolder(dir, "*")).c_str(), FindExInfoBasic,
                                           &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? 0 : errnoOf(error); // an empty drive's root
    }
    do {
        const std::string name = narrow(found.cFileName);
        if (!name.empty() && name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    const DWORD error = GetLastError();
    FindClose(search);
    return error == ERROR_NO_MORE_FILES ? 0 : errnoOf(error);
}

std::string inFolder(const std::string& dir, const std::string& name) {
    return !dir.empty() && (dir.back() == '\\' || dir.back() == '/') ? dir + name
                                                                     : dir + "\\" + name;
}

int replaceFile(const std::string& dir, const std::string& path, const std::string& text) {
    std::random_device random;
    HANDLE file = INVALID_HANDLE_VALUE;
    std::string temporary;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && error == ERROR_FILE_EXISTS; ++attempt) {
        temporary = inFolder(dir, ".riepilogo-" + std::to_string(random()));
        file = CreateFileW(wide(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    }
    if (file == INVALID_HANDLE_VALUE)
        return errnoOf(error);
    std::size_t written = 0;
    int failure = writeAll(file, text, written);
    if (failure == 0 && !FlushFileBuffers(file))
        failure = errnoOf(GetLastError());
    CloseHandle(file);
    // The move replaces a link under path, it does not write through it.
    if (failure == 0 && !MoveFileExW(wide(temporary).c_str(), wide(path).c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        failure = errnoOf(GetLastError());
    if (failure != 0)
        DeleteFileW(wide(temporary).c_str());
    return failure;
}

std::string errorText(int error) {
    return std::strerror(error);
}

} // namespace brindora
