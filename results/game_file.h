// A game file's rows: what the writer puts in and what the summary and review read back.
#pragma once

#include "game_observer.h"

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindora {

inline constexpr int kGameFileFormat = 1;

// Who played where, the same in every row.
struct GamePlace {
    std::string pc;
    std::string pupil;
};

// The title line and the column names, the start of every game file (BOM included).
std::string gameFileStart();
// dateTime as "2025-03-14 10:22:05"; seconds since the request, negative when none.
std::string answerRow(const std::string& dateTime, const GamePlace& place, const Answer& answer,
                      double seconds);
std::string endRow(const std::string& dateTime, const GamePlace& place, Counter request,
                   GameEnd how);
std::string localDateTime(std::time_t when);

struct ReadAnswer {
    std::string dateTime;
    Counter request = 0;
    StateNumber asked = 0; // 0: before the first request
    StateNumber clicked = 0;
    bool right = false;
};

struct GameRecord {
    std::string file; // its name in the folder
    GamePlace place;
    std::string firstTime, lastTime; // of its rows; empty when it has none
    std::vector<ReadAnswer> answers;
    std::optional<GameEnd> end; // none: cut off (crash, power failure) or still being played
};

enum class ReadProblem {
    None,
    NotGameFile, // skipped
    Truncated,   // skipped: not even its first two lines are whole
    Newer,       // skipped: written by a newer version
    LastRowCut,  // read: every whole row, the last one was cut in the middle
};

struct ReadResult {
    GameRecord record;
    ReadProblem problem = ReadProblem::None;
    std::string detail; // what was wrong, for the line on standard error
};

ReadResult readGameFile(std::string_view text);

} // namespace brindora
