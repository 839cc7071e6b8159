// Where the program's own lines go (option errors, --help, the sound and results lines): on
// Linux standard error and output as they are; on Windows, where a windowed program has none,
// the console it was started from, else a log file of bounded size.
#pragma once

#include <string>

namespace brindora::messages {

// Once, first thing: standard output and error lead where the teacher can read them.
void begin();
// Where the lines go when there is no console, or empty where they go to standard error.
std::string logFile();

// While the platform opens, the libraries under Qt may write to standard error themselves:
// that is held back and given back afterwards (release), or dropped when there is no display.
void holdStartupOutput();
void releaseStartupOutput();
// One line straight to where errors go, even while held back.
void writeError(const std::string& line);
// Leaves at once, with what was written flushed, without running anyone's teardown.
[[noreturn]] void leaveNow(int code);

} // namespace brindora::messages
