// The file-system calls on Linux (and any POSIX system).
#include "file_ops.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindora {

int FileOps::create(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0640);
    return fd >= 0 ? fd : -errno;
}

int FileOps::write(int fd, std::string_view data, std::size_t& written) {
    written = 0;
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

int FileOps::sync(int fd) {
    while (::fdatasync(fd) != 0) {
        if (errno != EINTR)
            return errno;
    }
    return 0;
}

int FileOps::reopen(const std::string& path, std::size_t keep) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -errno;
    if (::ftruncate(fd, static_cast<off_t>(keep)) != 0 ||
        ::lseek(fd, static_cast<off_t>(keep), SEEK_SET) < 0) {
        const int error = errno;
        ::close(fd);
        return -error;
    }
    return fd;
}

int FileOps::readBack(const std::string& path, std::size_t most, std::string& text) {
    return readFile(path, most, false, text);
}

bool FileOps::removed(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) != 0 || info.st_nlink == 0;
}

bool FileOps::lost(int error) {
    return error != EAGAIN && error != EWOULDBLOCK && error != EINTR && error != ENOSPC &&
           error != EDQUOT;
}

void FileOps::close(int fd) {
    ::close(fd);
}

int readFile(const std::string& path, std::size_t most, bool followLinks, std::string& text) {
    text.clear();
    // O_NONBLOCK: a fifo planted under a game file's name does not hold the reader.
    const int fd =
        ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW));
    if (fd < 0)
        return errno == ELOOP && !followLinks ? kIsLink : errno;
    struct stat info {};
    int result = 0;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        result = kNotPlain;
    else if (static_cast<unsigned long long>(info.st_size) > most)
        result = kTooLarge;
    else {
        text.resize(static_cast<std::size_t>(info.st_size));
        std::size_t got = 0;
        while (got < text.size()) {
            const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                if (n < 0)
                    result = errno;
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        text.resize(got);
    }
    ::close(fd);
    return result;
}

int listFolder(const std::string& dir, std::vector<std::string>& names) {
    DIR* folder = ::opendir(dir.c_str());
    if (folder == nullptr)
        return errno;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(folder);
    return 0;
}

std::string inFolder(const std::string& dir, const std::string& name) {
    return !dir.empty() && dir.back() == '/' ? dir + name : dir + "/" + name;
}

int replaceFile(const std::string& dir, const std::string& path, const std::string& text) {
    std::string temporary = inFolder(dir, ".riepilogo-XXXXXX");
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return errno;
    std::size_t done = 0;
    int failure = 0;
    while (done < text.size() && failure == 0) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (errno != EINTR)
            failure = errno;
    }
    if (failure == 0 && (fchmod(fd, 0640) != 0 || fsync(fd) != 0))
        failure = errno;
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && std::rename(temporary.c_str(), path.c_str()) != 0)
        failure = errno;
    if (failure != 0)
        ::unlink(temporary.c_str());
    return failure;
}

std::string errorText(int error) {
    return std::strerror(error);
}

} // namespace brindora
