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
    {"Romania",          1, Shade::Flat,     rgb(250, 222,  90), 0, false},
    {"Bulgaria",         2, Shade::Flat,     rgb(130, 200, 120), 0, false},
    {"Greece",           3, Shade::Vertical, rgb(255, 204, 128), rgb(240, 140,  50), false},
    {"Poland",           4, Shade::Flat,     rgb(240, 160, 180), 0, false},
    {"Hungary",          5, Shade::Flat,     rgb(190, 160, 225), 0, false},
    {"Austria",          6, Shade::Flat,     rgb(240, 130, 110), 0, false},
    {"Czechia",          7, Shade::Flat,     rgb(165, 210, 125), 0, false},
    {"France",           8, Shade::Flat,     rgb(195, 165, 220), 0, false},
    {"Germany",          9, Shade::Flat,     rgb(235, 190, 130), 0, false},
    {"Portugal",        10, Shade::Flat,     rgb(130, 195, 125), 0, false},
    {"Sweden",          11, Shade::Vertical, rgb(180, 192, 215), rgb(125, 145, 185), false},
    {"Norway",          12, Shade::Flat,     rgb(235, 150, 130), 0, false},
    {"Italy",           13, Shade::Flat,     rgb(160, 210, 110), 0, false},
    {"Lithuania",       14, Shade::Flat,     rgb(250, 205, 100), 0, false},
    {"Finland",         15, Shade::Vertical, rgb(255, 215, 150), rgb(245, 150,  60), false},
    {"Estonia",         16, Shade::Flat,     rgb(205, 170, 230), 0, false},
    {"United Kingdom",  17, Shade::Flat,     rgb(240, 160, 160), 0, false},
    {"Spain",           18, Shade::Flat,     rgb(250, 215, 115), 0, false},
    {"Netherlands",     19, Shade::Vertical, rgb( 80, 175,  90), rgb(130, 205, 115), false},
    {"Ireland",         20, Shade::Flat,     rgb(120, 200, 130), 0, false},
    {"Slovakia",        21, Shade::Flat,     rgb(250, 175, 100), 0, false},
    {"Denmark",         22, Shade::Vertical, rgb( 95, 180,  95), rgb(160, 215, 125), false},
    {"Belgium",         23, Shade::Flat,     rgb(255, 236, 110), 0, false},
    {"Luxembourg",      24, Shade::Flat,     rgb(220,  30,  30), 0, true},
    {"Malta",           25, Shade::Flat,     rgb(220,  30,  30), 0, true},
    {"Cyprus",          26, Shade::Flat,     rgb( 40,  90, 220), 0, true},
    {"Switzerland",     27, Shade::Flat,     rgb(245, 240, 200), 0, false},
    {"Latvia",          28, Shade::Flat,     rgb(240, 150, 200), 0, false},
    {"Slovenia",        29, Shade::Flat,     rgb(130, 180, 240), 0, false},
    {"Russia",           0, Shade::Eastward, rgb(205, 230, 255), rgb(  0, 191, 255), false},
    {"Iceland",          0, Shade::Flat,     rgb(215, 215, 205), 0, false},
    {"Faeroe Is.",       0, Shade::Flat,     rgb(215, 215, 205), 0, false},
    {"Croatia",          0, Shade::Flat,     rgb(250, 200, 150), 0, false},
    {"Bosnia and Herz.", 0, Shade::Flat,     rgb(200, 230, 150), 0, false},
    {"Serbia",           0, Shade::Flat,     rgb(225, 165, 170), 0, false},
    {"Montenegro",       0, Shade::Flat,     rgb(175, 200, 240), 0, false},
    {"Kosovo",           0, Shade::Flat,     rgb(240, 225, 135), 0, false},
    {"Albania",          0, Shade::Flat,     rgb(205, 155, 205), 0, false},
    {"Macedonia",        0, Shade::Flat,     rgb(170, 200, 235), 0, false},
    {"Moldova",          0, Shade::Flat,     rgb(200, 175, 230), 0, false},
    {"Ukraine",          0, Shade::Flat,     rgb(255, 245, 180), 0, false},
    {"Belarus",          0, Shade::Flat,     rgb(185, 220, 150), 0, false},
    {"Turkey",           0, Shade::Flat,     rgb(230, 215, 235), 0, false},
    {"Georgia",          0, Shade::Flat,     rgb(200, 220, 130), 0, false},
    {"Armenia",          0, Shade::Flat,     rgb(240, 165, 135), 0, false},
    {"Azerbaijan",       0, Shade::Flat,     rgb(150, 200, 230), 0, false},
    {"Kazakhstan",       0, Shade::Flat,     rgb(240, 210, 160), 0, false},
    {"Syria",            0, Shade::Flat,     rgb(205, 225, 160), 0, false},
    {"Lebanon",          0, Shade::Flat,     rgb(245, 180, 150), 0, false},
    {"Israel",           0, Shade::Flat,     rgb(250, 250, 200), 0, false},
    {"Palestine",        0, Shade::Flat,     rgb(205, 185, 160), 0, false},
    {"Jordan",           0, Shade::Flat,     rgb(200, 180, 220), 0, false},
    {"Iraq",             0, Shade::Flat,     rgb(240, 185, 200), 0, false},
    {"Iran",             0, Shade::Flat,     rgb(200, 220, 180), 0, false},
    {"Morocco",          0, Shade::Flat,     rgb(235, 175, 150), 0, false},
    {"Algeria",          0, Shade::Flat,     rgb(240, 225, 170), 0, false},
    {"Tunisia",          0, Shade::Flat,     rgb(190, 215, 160), 0, false},
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
