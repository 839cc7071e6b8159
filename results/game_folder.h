// Every game file of a results folder, read for the summary and for review.
#pragma once

#include "game_file.h"

#include <functional>
#include <string>
#include <vector>

namespace brindora {

struct FileNote {
    std::string file;   // its name in the folder
    std::string why;    // for standard error
    std::string motivo; // for the page, in Italian
};

struct GameFolder {
    std::vector<GameRecord> games;
    std::vector<FileNote> skipped; // not game files, cut before their rows, from newer versions
    std::vector<FileNote> partial; // read up to a row cut in the middle
};

// Reads every "*.csv" file of dir (other files are the teacher's own and left alone); each
// file skipped or read in part gives one line to report. False, with error set, when the
// folder itself cannot be read.
bool readGameFolder(const std::string& dir, GameFolder& out, std::string& error,
                    const std::function<void(const std::string&)>& report);

// The name as the summary and review compare it: blanks trimmed and single, ASCII case ignored.
std::string pupilKey(const std::string& name);

} // namespace brindora
