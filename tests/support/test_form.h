// Form1 as the tests start it, each option named where it is set.
#pragma once

#include "form1.h"

#include <functional>

namespace brindora::testing {

// A program folder without the Europa recordings: no sound is found, none is heard.
inline const QString kNoRecordings = QStringLiteral("/nonexistent");

// The options a test starts the real window with: the draw the test scripts (the clock's
// when null), what the game's end does (by default nothing, so that the test goes on; an
// empty function leaves the event loop as the program does) and the program's folder.
// Anything else the test sets by name on what this returns.
Form1Options testOptions(
    RandomSource* random = nullptr, std::function<void()> quit = [] {},
    const QString& programDir = kNoRecordings);

} // namespace brindora::testing
