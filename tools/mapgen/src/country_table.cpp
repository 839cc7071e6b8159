// How each country of the source data is drawn: its state number, colours, merges.
#include "country_table.h"

#include <array>
#include <cstring>

namespace {

struct Merge {
    const char* from;
    const char* into;
};

// Parts drawn as one with a larger country, and microstates below two pixels.
constexpr std::array<Merge, 14> kMerges{{
    {"N. Cyprus", "Cyprus"},
    {"Cyprus U.N. Buffer Zone", "Cyprus"},
    {"Akrotiri", "Cyprus"},
    {"Dhekelia", "Cyprus"},
    {"\u00c5land", "Finland"},
    {"Jersey", "United Kingdom"},
    {"Guernsey", "United Kingdom"},
    {"Isle of Man", "United Kingdom"},
    {"Gibraltar", "United Kingdom"},
    {"San Marino", "Italy"},
    {"Vatican", "Italy"},
    {"Monaco", "France"},
    {"Liechtenstein", "Switzerland"},
    {"Andorra", "Spain"},
}};

constexpr QRgb rgb(int r, int g, int b) {
    return 0xff000000u | (r << 16) | (g << 8) | b;
}

// clang-format off
constexpr std::array<CountryStyle, 58> kStyles{{
    {"Romania",          1, Shade::Flat,     rgb(255, 205, 107), 0, false},
    {"Bulgaria",         2, Shade::Flat,     rgb(124, 175, 109), 0, false},
    {"Greece",           3, Shade::Vertical, rgb(251, 218, 135), rgb(255, 153,  63), false},
    {"Poland",           4, Shade::Flat,     rgb(224, 146, 174), 0, false},
    {"Hungary",          5, Shade::Flat,     rgb(212, 212, 255), 0, false},
    {"Austria",          6, Shade::Flat,     rgb(250, 140, 159), 0, false},
    {"Czechia",          7, Shade::Flat,     rgb(156, 206, 236), 0, false},
    {"France",           8, Shade::Flat,     rgb(183, 154, 208), 0, false},
    {"Germany",          9, Shade::Flat,     rgb(245, 212, 160), 0, false},
    {"Portugal",        10, Shade::Flat,     rgb(120, 187, 122), 0, false},
    {"Sweden",          11, Shade::Vertical, rgb(180, 192, 215), rgb(155, 175, 217), false},
    {"Norway",          12, Shade::Flat,     rgb(229, 145, 125), 0, false},
    {"Italy",           13, Shade::Flat,     rgb(166, 216, 116), 0, false},
    {"Lithuania",       14, Shade::Flat,     rgb(247, 206, 105), 0, false},
    {"Finland",         15, Shade::Vertical, rgb(255, 215, 150), rgb(245, 150,  60), false},
    {"Estonia",         16, Shade::Flat,     rgb(188, 153, 246), 0, false},
    {"United Kingdom",  17, Shade::Flat,     rgb(232, 160, 179), 0, false},
    {"Spain",           18, Shade::Flat,     rgb(255, 220, 120), 0, false},
    {"Netherlands",     19, Shade::Vertical, rgb(110, 188,  76), rgb(113, 185,  93), false},
    {"Ireland",         20, Shade::Flat,     rgb(120, 199, 128), 0, false},
    {"Slovakia",        21, Shade::Flat,     rgb(255, 207, 108), 0, false},
    {"Denmark",         22, Shade::Vertical, rgb(106, 191, 105), rgb(121, 185,  81), false},
    {"Belgium",         23, Shade::Flat,     rgb(196, 220, 255), 0, false},
    {"Luxembourg",      24, Shade::Flat,     rgb(220,  30,  30), 0, true},
    {"Malta",           25, Shade::Flat,     rgb(220,  30,  30), 0, true},
    {"Cyprus",          26, Shade::Flat,     rgb( 40,  90, 220), 0, true},
    {"Switzerland",     27, Shade::Flat,     rgb(227, 237, 221), 0, false},
    {"Latvia",          28, Shade::Flat,     rgb(237, 147, 188), 0, false},
    {"Slovenia",        29, Shade::Flat,     rgb(127, 169, 240), 0, false},
    {"Russia",           0, Shade::Eastward, rgb(209, 232, 255), rgb(  0, 191, 255), false},
    {"Iceland",          0, Shade::Flat,     rgb(215, 215, 205), 0, false},
    {"Faeroe Is.",       0, Shade::Flat,     rgb(215, 215, 205), 0, false},
    {"Croatia",          0, Shade::Flat,     rgb(222, 197, 174), 0, false},
    {"Bosnia and Herz.", 0, Shade::Flat,     rgb(227, 250, 160), 0, false},
    {"Serbia",           0, Shade::Flat,     rgb(229, 143, 174), 0, false},
    {"Montenegro",       0, Shade::Flat,     rgb(183, 208, 248), 0, false},
    {"Kosovo",           0, Shade::Flat,     rgb(240, 225, 135), 0, false},
    {"Albania",          0, Shade::Flat,     rgb(200, 145, 183), 0, false},
    {"Macedonia",        0, Shade::Flat,     rgb(180, 212, 246), 0, false},
    {"Moldova",          0, Shade::Flat,     rgb(200, 175, 230), 0, false},
    {"Ukraine",          0, Shade::Flat,     rgb(242, 243, 200), 0, false},
    {"Belarus",          0, Shade::Flat,     rgb(151, 186, 136), 0, false},
    {"Turkey",           0, Shade::Flat,     rgb(248, 235, 255), 0, false},
    {"Georgia",          0, Shade::Flat,     rgb(215, 235, 145), 0, false},
    {"Armenia",          0, Shade::Flat,     rgb(226, 152, 122), 0, false},
    {"Azerbaijan",       0, Shade::Flat,     rgb(172, 206, 192), 0, false},
    {"Kazakhstan",       0, Shade::Flat,     rgb(240, 210, 160), 0, false},
    {"Syria",            0, Shade::Flat,     rgb(218, 238, 169), 0, false},
    {"Lebanon",          0, Shade::Flat,     rgb(220, 157, 128), 0, false},
    {"Israel",           0, Shade::Flat,     rgb(250, 250, 200), 0, false},
    {"Palestine",        0, Shade::Flat,     rgb(205, 185, 160), 0, false},
    {"Jordan",           0, Shade::Flat,     rgb(207, 192, 234), 0, false},
    {"Iraq",             0, Shade::Flat,     rgb(248, 181, 188), 0, false},
    {"Iran",             0, Shade::Flat,     rgb(228, 249, 183), 0, false},
    {"Morocco",          0, Shade::Flat,     rgb(224, 164, 139), 0, false},
    {"Algeria",          0, Shade::Flat,     rgb(255, 239, 139), 0, false},
    {"Tunisia",          0, Shade::Flat,     rgb(176, 204, 154), 0, false},
    {"Libya",            0, Shade::Flat,     rgb(230, 210, 180), 0, false},
}};
// clang-format on

constexpr CountryStyle kFallback{"", 0, Shade::Flat, rgb(220, 220, 200), 0, false};

} // namespace

QString CountryTable::owner(const QString& featureName) {
    for (const Merge& m : kMerges)
        if (featureName == QString::fromUtf8(m.from))
            return QString::fromUtf8(m.into);
    return featureName;
}

const CountryStyle* CountryTable::style(const QString& name) {
    for (const CountryStyle& s : kStyles)
        if (name == QString::fromUtf8(s.name))
            return &s;
    return nullptr;
}

const CountryStyle& CountryTable::fallback() {
    return kFallback;
}
