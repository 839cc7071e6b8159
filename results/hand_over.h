// A game's rows brought onto the share whole and once: our own file opened again after a
// failure, and the copy kept on this PC when the share did not answer at the end.
#pragma once

#include "file_ops.h"

#include <functional>
#include <string>

namespace brindora {

// Opens our file at path again, keeping its rows that match the first of text and cutting
// whatever follows them. A descriptor with kept set; -ENOENT when the file is gone, -EEXIST
// when it is no longer ours; another -errno when the share still fails.
int reopenOwn(FileOps& files, const std::string& path, const std::string& text, std::size_t& kept);

// The copy of a game that could not be written into folder: saved into pendingDir with the
// name of its file, and the folder beside it. Its path, or empty.
std::string keepOnThisPc(const std::string& pendingDir, const std::string& folder,
                         const std::string& fileName, const std::string& text);

// Hands every copy waiting in pendingDir for folder over to it: each file made whole, none
// written twice. One line each for report.
void handOver(FileOps& files, const std::string& pendingDir, const std::string& folder,
              const std::function<void(const std::string&)>& report);

} // namespace brindora
