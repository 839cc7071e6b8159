// The file-system calls the results writer makes, so that a test can make them fail or hang.
#pragma once

#include <string>
#include <string_view>

namespace brindora {

class FileOps {
public:
    virtual ~FileOps() = default;
    // A new file, created exclusively and never through a symbolic link: a descriptor, or
    // -errno (-EEXIST when the name is taken).
    virtual int create(const std::string& path);
    // Writes as much of data as it can; 0, or the errno that stopped it.
    virtual int write(int fd, std::string_view data, std::size_t& written);
    // Written data onto the disk (or the server); 0 or errno.
    virtual int sync(int fd);
    // The file has been removed (its folder deleted, for one) while it was open.
    virtual bool removed(int fd);
    virtual void close(int fd);
};

} // namespace brindora
