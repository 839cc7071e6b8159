// The teacher's choice of states: names as the game says them, or named groups, read from text.
#pragma once

#include "catalogo.h"

#include <string>
#include <string_view>
#include <vector>

namespace brindora {

struct StateGroup {
    std::string_view name;
    std::string_view states; // its states' names, as a list is written
};

// Groups for a quick choice, each a plain geographical fact about the states the game asks
// (Norway and Switzerland, never asked, are left out of them).
// clang-format off
inline constexpr StateGroup kStateGroups[] = {
    {"balcani",           "Bulgaria, Grecia, Romania, Slovenia"},
    {"baltici",           "Estonia, Lettonia, Lituania"},
    {"benelux",           "Belgio, Lussemburgo, Paesi Bassi"},
    {"isole britanniche", "Irlanda, Regno Unito"},
    {"mediterraneo",      "Cipro, Francia, Grecia, Italia, Malta, Slovenia, Spagna"},
    {"nordici",           "Danimarca, Finlandia, Svezia"},
    {"penisola iberica",  "Portogallo, Spagna"},
    {"scandinavia",       "Danimarca, Svezia"},
    {"visegrad",          "Polonia, Repubblica Ceca, Slovacchia, Ungheria"},
};
// clang-format on

// Names that pupils and teachers use every day for a state the game names otherwise.
// clang-format off
inline constexpr StateGroup kStateAliases[] = {
    {"olanda",              "Paesi Bassi"},
    {"inghilterra",         "Regno Unito"},
    {"gran bretagna",       "Regno Unito"},
    {"cechia",              "Repubblica Ceca"},
    {"repubblica slovacca", "Slovacchia"},
    {"eire",                "Irlanda"},
    {"repubblica d'irlanda", "Irlanda"},
};
// clang-format on

// A name as a teacher may type it: lower case, accents dropped, blanks trimmed and run together.
std::string foldName(std::string_view text);

enum class ListProblem {
    None,
    Empty,      // no name at all
    Unknown,    // neither a state nor a group
    NeverAsked, // a state with no region on the map (Norway, Switzerland)
};

struct StateList {
    std::vector<StateNumber> states; // in the order first named, each once
    ListProblem problem = ListProblem::None;
    std::string offending; // the name at fault, as it was given (trimmed)
};

// A comma-separated list of state names and group names. Empty items (a trailing comma) are
// passed over; the first name at fault stops the reading.
StateList readStateList(std::string_view list);

// What may be given: the names of the states the game asks, in alphabetical order, then the
// group names.
std::vector<std::string_view> askedStateNames();
std::vector<std::string_view> groupNames();

} // namespace brindora
