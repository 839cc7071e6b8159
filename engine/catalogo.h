// The 29 states the game knows: number, name, prompt, recording, drawable.
#pragma once

#include "state_number.h"

#include <array>
#include <string_view>

namespace brindora {

struct StateRow {
    StateNumber number;
    std::string_view name;      // shown in lblreg while the state is searched
    std::string_view prompt;    // text of the announcement box
    std::string_view soundFile; // file name inside the sound folder
    bool drawn;                 // whether the draw may pick it
};

inline constexpr int kStateCount = 29;

// clang-format off
inline constexpr std::array<StateRow, kStateCount> catalogo{{
    { 1, "Romania",         "Clicca sulla Romania",         "Romania.wav",         true},
    { 2, "Bulgaria",        "Clicca sulla Bulgaria",        "Bulgaria.wav",        true},
    { 3, "Grecia",          "Clicca sulla Grecia",          "Grecia.wav",          true},
    { 4, "Polonia",         "Clicca sulla Polonia",         "Polonia.wav",         true},
    { 5, "Ungheria",        "Clicca sull'Ungheria",         "Ungheria.wav",        true},
    { 6, "Austria",         "Clicca sull'Austria",          "Austria.wav",         true},
    { 7, "Repubblica Ceca", "Clicca sulla Repubblica Ceca", "Repubblica Ceca.wav", true},
    { 8, "Francia",         "Clicca sulla Francia",         "Francia.wav",         true},
    { 9, "Germania",        "Clicca sulla Germania",        "Germania.wav",        true},
    {10, "Portogallo",      "Clicca sul Portogallo",        "Portogallo.wav",      true},
    {11, "Svezia",          "Clicca sulla Svezia",          "Svezia.wav",          true},
    {12, "Norvegia",        "Clicca sulla Norvegia",        "Norvegia.wav",        false},
    {13, "Italia",          "Clicca sull'Italia",           "Italia.wav",          true},
    {14, "Lituania",        "Clicca sulla Lituania",        "Lituania.wav",        true},
    {15, "Finlandia",       "Clicca sulla Finlandia",       "Finlandia.wav",       true},
    {16, "Estonia",         "Clicca sull'Estonia",          "Estonia.wav",         true},
    {17, "Regno Unito",     "Clicca sul Regno Unito",       "Regno Unito.wav",     true},
    {18, "Spagna",          "Clicca sulla Spagna",          "Spagna.wav",          true},
    {19, "Paesi Bassi",     "Clicca sui Paesi Bassi",       "Paesi Bassi.wav",     true},
    {20, "Irlanda",         "Clicca sulla Irlanda",         "Irlanda.wav",         true},
    {21, "Slovacchia",      "Clicca sulla Slovacchia",      "Slovacchia.wav",      true},
    {22, "Danimarca",       "Clicca sulla Danimarca",       "Danimarca.wav",       true},
    {23, "Belgio",          "Clicca sul Belgio",            "Belgio.wav",          true},
    {24, "Lussemburgo",     "Clicca su Lussemburgo",        "Lussemburgo.wav",     true},
    {25, "Malta",           "Clicca su Malta",              "Malta.wav",           true},
    {26, "Cipro",           "Clicca su Cipro",              "Cipro.wav",           true},
    {27, "Svizzera",        "Clicca sulla Svizzera",        "Svizzera.wav",        false},
    {28, "Lettonia",        "Clicca sulla Lettonia",        "Lettonia.wav",        true},
    {29, "Slovenia",        "Clicca sulla Slovenia",        "Slovenia.wav",        true},
}};
// clang-format on

// The other two recordings of the game.
inline constexpr std::string_view kAnthemFile = "inno.wav";
inline constexpr std::string_view kPraiseFile = "esatto.wav";

// The row with this number, or nullptr outside 1..29.
const StateRow* lookupState(long long number);

// All 31 recordings the game names: the anthem, the praise, then one per state.
std::array<std::string_view, kStateCount + 2> soundFiles();

} // namespace brindora
