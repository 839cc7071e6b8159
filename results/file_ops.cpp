// The real calls, POSIX.
#include "file_ops.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindora {

int FileOps::create(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
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

bool FileOps::removed(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) != 0 || info.st_nlink == 0;
}

void FileOps::close(int fd) {
    ::close(fd);
}

} // namespace brindora
