// The teacher's list of states: names matched as a person reads them, and every way it can be
// wrong.
#include "case_name.h"
#include "state_list.h"

#include <gtest/gtest.h>

using namespace brindora;

namespace {

struct ListCase : brindora::testing::NamedCase {
    const char* list;
    std::vector<StateNumber> states;
    ListProblem problem;
    const char* offending;
};

constexpr auto kOk = ListProblem::None;

const ListCase kLists[] = {
    {"as the game says them", "Francia,Italia,Repubblica Ceca", {8, 13, 7}, kOk, ""},
    {"case ignored", "FRANCIA,italia,rEPUBBLICA ceca", {8, 13, 7}, kOk, ""},
    {"accents ignored", "It\u00e0lia, Fr\u00c1ncia,GR\u00c8CIA", {13, 8, 3}, kOk, ""},
    {"combining accent", "Ita\u0300lia", {13}, kOk, ""},
    {"blanks trimmed and run together", "  Regno   Unito ,\tPaesi Bassi  ", {17, 19}, kOk, ""},
    {"no-break space", "Regno\u00a0Unito", {17}, kOk, ""},
    {"each once", "Malta, malta, MALTA", {25}, kOk, ""},
    {"trailing comma", "Cipro,", {26}, kOk, ""},
    {"group", "balcani", {2, 3, 1, 29}, kOk, ""},
    {"group with blanks and a state", "Penisola  Iberica, Italia", {10, 18, 13}, kOk, ""},
    {"group over a state named", "Grecia, BALCANI", {3, 2, 1, 29}, kOk, ""},
    {"accented group", "Visegr\u00e1d", {4, 7, 21, 5}, kOk, ""},
    {"everyday names",
     "Olanda, inghilterra, Gran  Bretagna, Cechia, Repubblica Slovacca, Eire",
     {19, 17, 7, 21, 20},
     kOk,
     ""},
    {"unknown name", "Francia, Atlantide", {}, ListProblem::Unknown, "Atlantide"},
    {"half a name", "Regno", {}, ListProblem::Unknown, "Regno"},
    {"words run together", "RegnoUnito", {}, ListProblem::Unknown, "RegnoUnito"},
    {"not UTF-8", "Fran\xff", {}, ListProblem::Unknown, "Fran\xff"},
    {"Norway", "Norvegia", {}, ListProblem::NeverAsked, "Norvegia"},
    {"Switzerland after a state", "italia,  SVIZZERA ", {}, ListProblem::NeverAsked, "SVIZZERA"},
    {"first fault told", "Norvegia, Atlantide", {}, ListProblem::NeverAsked, "Norvegia"},
    {"empty", "", {}, ListProblem::Empty, ""},
    {"only commas and blanks", " , ,  ", {}, ListProblem::Empty, ""},
};

class StateListRead : public ::testing::TestWithParam<ListCase> {};

TEST_P(StateListRead, StatesOrTheNameAtFault) {
    const ListCase& c = GetParam();
    const StateList read = readStateList(c.list);
    EXPECT_EQ(read.problem, c.problem);
    EXPECT_EQ(read.offending, c.offending);
    if (c.problem == kOk) {
        EXPECT_EQ(read.states, c.states);
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, StateListRead, ::testing::ValuesIn(kLists),
                         brindora::testing::ByName());

// A typing slip in a group's table would quietly leave a state out of it.
TEST(StateGroups, EachNamesOnlyAskedStatesAndNoStateName) {
    for (const StateGroup& group : kStateGroups) {
        SCOPED_TRACE(std::string(group.name));
        const StateList read = readStateList(group.states);
        EXPECT_EQ(read.problem, kOk) << read.offending;
        const auto commas = std::count(group.states.begin(), group.states.end(), ',');
        EXPECT_EQ(read.states.size(), std::size_t(commas + 1));
        EXPECT_GE(read.states.size(), 2u);
        EXPECT_EQ(foldName(group.name), group.name); // typed as the README lists it
        for (const StateRow& row : catalogo)
            EXPECT_NE(foldName(row.name), group.name);
    }
}

} // namespace
