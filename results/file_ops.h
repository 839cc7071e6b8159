// The file-system calls of results, one file per platform behind them (file_ops_posix.cpp,
// file_ops_win.cpp). Paths are UTF-8; failures are errno values on both platforms.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brindora {

// The calls the writer makes, virtual so that a test can make them fail or hang.
class FileOps {
public:
    virtual ~FileOps() = default;
    // A new file, created exclusively and never through a link: a descriptor, or -errno
    // (-EEXIST when the name is taken).
    virtual int create(const std::string& path);
    // Writes as much of data as it can; 0, or the errno that stopped it.
    virtual int write(int fd, std::string_view data, std::size_t& written);
    // Our own file again, after a failure: cut to its first keep bytes, positioned at its end;
    // never through a link. A descriptor, or -errno.
    virtual int reopen(const std::string& path, std::size_t keep);
    // What the file holds now, at most most bytes (see readFile()).
    virtual int readBack(const std::string& path, std::size_t most, std::string& text);
    // Written data onto the disk (or the server); 0 or errno.
    virtual int sync(int fd);
    // The file has been removed (its folder deleted, for one) while it was open.
    virtual bool removed(int fd);
    // After this failure the file must be opened again: every failure but "try again" and
    // "no space", which the same descriptor can outlast (EIO, ESTALE and EBADF when a share
    // reconnects, ENXIO, ...).
    virtual bool lost(int error);
    virtual void close(int fd);
};

// What readFile() may answer besides 0 and an errno (all negative).
inline constexpr int kIsLink = -1;   // refused: a link (or a reparse point)
inline constexpr int kNotPlain = -2; // refused: a folder, a device, a pipe
inline constexpr int kTooLarge = -3; // refused: larger than most
// The whole of a file, at most most bytes; links refused unless followLinks. 0 or the failure.
int readFile(const std::string& path, std::size_t most, bool followLinks, std::string& text);

// The names in dir (no "." or ".."): 0, or the errno of the folder itself.
int listFolder(const std::string& dir, std::vector<std::string>& names);

// dir's path to name, with the platform's separator.
std::string inFolder(const std::string& dir, const std::string& name);

// Writes text beside path under a new name, then moves it over path: a reader never sees half
// a file, and a link planted under path is replaced, never followed. 0 or errno.
int replaceFile(const std::string& dir, const std::string& path, const std::string& text);

// The text of an errno, for a line to the teacher.
std::string errorText(int error);

} // namespace brindora
