// The class's figures from its game files: per pupil, per state, and what review asks.
#pragma once

#include "game_folder.h"

#include <optional>
#include <string>
#include <vector>

namespace brindora {

struct PupilSummary {
    std::string name; // as first seen
    int games = 0;
    int unfinished = 0;      // no end row: cut off, or still being played
    Counter found = 0;       // states found (one per request, however many clicks it took)
    Counter windowRight = 0; // what the window's Esatte showed at the end of each game
    Counter errors = 0;      // wrong clicks
    Counter bestFound = 0, bestErrors = 0;
    std::string bestTime;   // the best game's start: most found, then fewest errors
    std::string lastPlayed; // the latest row
};

struct Confusion {
    StateNumber clicked;
    int times;
};

struct StateSummary {
    StateNumber state = 0;
    int asked = 0;                   // requests of it that got a click
    int firstClick = 0;              // of which the first click was right
    std::vector<Confusion> confused; // wrong clicks on its requests, most first
    // The share asked and not found at the first click; none when never asked.
    std::optional<double> missed() const {
        return asked ? std::optional<double>(1.0 - double(firstClick) / asked) : std::nullopt;
    }
};

struct ClassSummary {
    std::vector<PupilSummary> pupils; // by name
    std::vector<StateSummary> states; // every state the game asks, in the catalogue's order
    std::string firstTime, lastTime;  // dates covered
    int filesRead = 0;
    int games = 0, unfinished = 0;
    int apart = 0; // review games and games of chosen states: not in the states' shares
    std::vector<FileNote> skipped, partial;
};

ClassSummary summarise(const GameFolder& folder);

// The states this pupil did not find at the first click, in the catalogue's order.
std::vector<StateNumber> missedAtFirstClick(const GameFolder& folder, const std::string& pupil);

} // namespace brindora
