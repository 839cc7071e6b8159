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

// What the game asked, in the title row after the format: empty for the full game.
inline constexpr const char* kReviewMode = "ripasso";
inline constexpr const char* kChosenMode = "Stati scelti: "; // then the states, by name
std::string gameMode(bool review, const std::vector<StateNumber>& chosen);

// The title line and the column names, the start of every game file (BOM included).
std::string gameFileStart(const std::string& mode = {});
// dateTime as "2025-03-14 10:22:05"; seconds since the request, negative when none, written
// with a decimal comma in a quoted cell, so that no spreadsheet splits it.
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
    Counter requests = 0;       // the states asked, the last one perhaps never clicked
    std::string mode;           // as gameMode() gives it; empty: the full game
    // What the window's Esatte showed at the end: it counts a right answer when the next
    // state is asked, so the last one found is not among them.
    Counter windowRight() const { return requests > 1 ? requests - 1 : 0; }
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

// A game file as the game wrote it, or as a spreadsheet saved it again: with or without the
// byte-order mark, LF or CRLF, quoted cells, ';' or ',' between them, Windows-1252 for
// UTF-8, dates as DD/MM/YYYY. The title row and the column names are checked before any
// other row is read, and reading stops at the first row that is not a game's.
ReadResult readGameFile(std::string_view text);

} // namespace brindora
