// The whole program, from its command line to the end of its window: main() calls it.
#pragma once

#include "command_line.h"
#include "form1.h"

#include <functional>

namespace brindora {

// The one place where the command line's choices become the window's options.
Form1Options form1Options(const StartOptions& options);

// Where a test may look into the real program as it runs; empty ones do nothing.
struct RunHooks {
    std::function<void(Form1Options&)> options; // the window's options, just before it is made
    std::function<void(Form1&)> shown;          // the window, shown, from inside the event loop
};

// Reads the command line; prints and returns for --help, --version or a mistake; otherwise
// opens Form1 as asked (full screen or not) and returns the event loop's exit code. Without
// a display, one line on standard error and the exit code 1.
int runBrindora(int argc, char** argv, const RunHooks& hooks = {});

} // namespace brindora
