// The clickable rectangles over the map (regioni), the two inert zones, and the hit test.
#pragma once

#include "state_number.h"
#include "twips.h"

#include <array>
#include <string_view>

namespace brindora {

// The map box's client area: one map pixel to a pixel, 619 x 539 of them.
inline constexpr int kMapWidthTwips = 9285;
inline constexpr int kMapHeightTwips = 8085;

struct Region {
    std::string_view name;
    int index; // member index for the control array Label50, otherwise -1
    Rect rect;
    int rank; // stacking order in the map box, 1 in front
    StateNumber state;
    std::string_view wrongText;
};

struct InertZone {
    std::string_view name;
    Rect rect;
    int rank;
};

inline constexpr int kRegionCount = 70;
inline constexpr int kInertZoneCount = 2;

// Ordered by state number, then by stack rank.
// clang-format off
inline constexpr std::array<Region, kRegionCount> regioni{{
    {"Label2",  -1, {5760, 5640,  495,  375}, 59,  1, "Questa \u00e8 la Romania"},
    {"Label1",  -1, {5280, 5280,  855,  735}, 60,  1, "Questa \u00e8 la Romania"},
    {"Label4",  -1, {5760, 6120,  495,  375}, 57,  2, "Questa \u00e8 la Bulgaria"},
    {"Label3",  -1, {5400, 6120,  735,  495}, 58,  2, "Questa \u00e8 la Bulgaria"},
    {"Label5",  -1, {5520, 7560,  735,  495}, 56,  3, "Questa \u00e8 la Grecia"},
    {"Label6",  -1, {5280, 6960,  615,  855}, 62,  3, "Questa \u00e8 la Grecia"},
    {"Label48", -1, {5280, 6720,  735,  975}, 65,  3, "Questa \u00e8 la Grecia"},
    {"Label49", -1, {5160, 6960,  615,  615}, 66,  3, "Questa \u00e8 la Grecia"},
    {"Label8",  -1, {4320, 3840, 1095,  855}, 55,  4, "Questa \u00e8 la Polonia"},
    {"Label10", -1, {4920, 5160,  375,  255}, 53,  5, "Questa \u00e8 l'Ungheria"},
    {"Label9",  -1, {4560, 5280,  495,  375}, 54,  5, "Questa \u00e8 l'Ungheria"},
    {"Label12", -1, {3480, 5280,  735,  135}, 51,  6, "Questa \u00e8 il Austria"},
    {"Label11", -1, {3960, 5040,  495,  135}, 52,  6, "Questa \u00e8 il Austria"},
    {"Label53", -1, {3960, 5160,  495,  375}, 72,  6, "Questa \u00e8 il Austria"},
    {"Label14", -1, {4320, 4680,  255,  255}, 49,  7, "Questa \u00e8 il Repubblica Ceca"},
    {"Label13", -1, {3960, 4680,  615,  255}, 50,  7, "Questa \u00e8 il Repubblica Ceca"},
    {"Label75", -1, {2760, 4920,  255,  255},  9,  8, "Questa \u00e8 la Francia"},
    {"Label73", -1, {3000, 6240,  255,  255}, 10,  8, "Questa \u00e8 la Francia"},
    {"Label70", -1, {1680, 5640,  615,  375}, 13,  8, "Questa \u00e8 la Francia"},
    {"Label68", -1, {2400, 5040,  495,  975}, 15,  8, "Questa \u00e8 la Francia"},
    {"Label66", -1, {2160, 4440,  495,  735}, 17,  8, "Questa \u00e8 la Francia"},
    {"Label17", -1, {2040, 5760,  855,  375}, 46,  8, "Questa \u00e8 la Francia"},
    {"Label16", -1, {1080, 4440, 1575,  615}, 47,  8, "Questa \u00e8 la Francia"},
    {"Label15", -1, {1560, 5040, 1335,  615}, 48,  8, "Questa \u00e8 la Francia"},
    {"Label72", -1, {3840, 3840,  375,  615}, 11,  9, "Questa \u00e8 la Germania"},
    {"Label19", -1, {3240, 3960,  615, 1215}, 44,  9, "Questa \u00e8 la Germania"},
    {"Label18", -1, {3240, 3720,  855,  615}, 45,  9, "Questa \u00e8 la Germania"},
    {"Label21", -1, {   0, 5880,  495,  495}, 42, 10, "Questo \u00e8  il Portogallo"},
    {"Label20", -1, {   0, 6480,  375,  375}, 43, 10, "Questo \u00e8  il Portogallo"},
    {"Label63", -1, {3960, 2640,  255,  735}, 20, 11, "Questa \u00e8 la Svezia"},
    {"Label62", -1, {4080, 2760,  615,  615}, 21, 11, "Questa \u00e8 la Svezia"},
    {"Label61", -1, {4320, 1320,  495, 1575}, 22, 11, "Questa \u00e8 la Svezia"},
    {"Label23", -1, {4560,  720,  495,  855}, 40, 11, "Questa \u00e8 la Svezia"},
    {"Label22", -1, {4080, 2160,  495, 1215}, 41, 11, "Questa \u00e8 la Svezia"},
    {"Label27", -1, {2880, 6600,  495,  615}, 38, 13, "Questa \u00e8 l'Italia"},
    {"Label26", -1, {4200, 6840,  495,  615}, 39, 13, "Questa \u00e8 l'Italia"},
    {"Label50",  0, {3480, 5520,  495,  255}, 67, 13, "Questa \u00e8 l'Italia"},
    {"Label50",  1, {3720, 6360,  615,  615}, 68, 13, "Questa \u00e8 l'Italia"},
    {"Label50",  2, {3720, 7200,  495,  495}, 69, 13, "Questa \u00e8 l'Italia"},
    {"Label51", -1, {3120, 5640,  615,  375}, 70, 13, "Questa \u00e8 l'Italia"},
    {"Label52", -1, {3480, 6000,  495,  855}, 71, 13, "Questa \u00e8 l'Italia"},
    {"Label29", -1, {5040, 3360,  615,  255}, 37, 14, "Questa \u00e8 la Lituania"},
    {"Label28", -1, {5400, 3600,  135,  255}, 61, 14, "Questa \u00e8 la Lituania"},
    {"Label60", -1, {5280,  480,  255,   15}, 23, 15, "Questa \u00e8 la Finlandia"},
    {"Label59", -1, {5280,  840,  375, 1335}, 24, 15, "Questa \u00e8 la Finlandia"},
    {"Label32", -1, {5040, 1800,  615,  735}, 34, 15, "Questa \u00e8 la Finlandia"},
    {"Label31", -1, {5520, 1680,  375,  495}, 35, 15, "Questa \u00e8 la Finlandia"},
    {"Label30", -1, {5160,  600,  255,  375}, 36, 15, "Questa \u00e8 la Finlandia"},
    {"Label34", -1, {5280, 2760,  495,  135}, 32, 16, "Questa \u00e8 l'Estonia"},
    {"Label33", -1, {5280, 2640,  495,  255}, 33, 16, "Questa \u00e8 l'Estonia"},
    {"Label64", -1, {1560, 3840,  855,  495}, 19, 17, "Questa \u00e8 il Regno Unito"},
    {"Label37", -1, {1800, 3120,  735,  855}, 30, 17, "Questa \u00e8 il Regno Unito"},
    {"Label36", -1, {1680, 2160,  975, 1455}, 31, 17, "Questa \u00e8 il Regno Unito"},
    {"Label39", -1, { 480, 6360,  735,  855}, 28, 18, "Questa \u00e8 la Spagna"},
    {"Label38", -1, { 360, 6600,  615,  495}, 29, 18, "Questa \u00e8 la Spagna"},
    {"Label46", -1, { 720, 5760,  855,  615}, 63, 18, "Questa \u00e8 la Spagna"},
    {"Label47", -1, { 600, 6120, 1455,  855}, 64, 18, "Questa \u00e8 la Spagna"},
    {"Label40", -1, {2880, 3840,  255,  375}, 27, 19, "Questi sono i Paesi Bassi"},
    {"Label65", -1, {1200, 2880,  375,  255}, 18, 20, "Questa \u00e8 la Irlanda"},
    {"Label41", -1, { 720, 3360,  855,  615}, 26, 20, "Questa \u00e8 la Irlanda"},
    {"Label81", -1, {4680, 4920,  375,  255},  7, 21, "Questa \u00e8 la Slovacchia"},
    {"Label76", -1, {3360, 3000,  495,  735},  8, 22, "Questa \u00e8 la Danimarca"},
    {"Label71", -1, {2640, 4320,  375,  255}, 12, 23, "Questo \u00e8 il Belgio"},
    {"Label54", -1, {2880, 4560,  255,  255}, 25, 24, "Questo \u00e8 il Lussemburgo"},
    {"Label82", -1, {3840, 7800,  375,  255},  6, 25, "Questa \u00e8 Malta"},
    {"Label83", -1, {7200, 7680,  375,  375},  5, 26, "Questo \u00e8 Cipro"},
    {"Label88", -1, {5280, 3000,  495,  375},  3, 28, "Questa \u00e8 la Lettonia"},
    {"Label87", -1, {5040, 3000,  495,  375},  4, 28, "Questa \u00e8 la Lettonia"},
    {"Label90", -1, {3960, 5520,  375,  255},  1, 29, "Questa \u00e8 la Slovenia"},
    {"Label89", -1, {4080, 5520,  375,  135},  2, 29, "Questa \u00e8 la Slovenia"},
}};

inline constexpr std::array<InertZone, kInertZoneCount> inertZones{{
    {"Label69", {1920, 6000, 375, 135}, 14},
    {"Label67", {2400, 4800, 615, 495}, 16},
}};
// clang-format on

// What takes a point of the map: a region, an inert zone, or nothing.
struct Hit {
    const Region* region = nullptr;
    const InertZone* zone = nullptr;

    bool empty() const { return region == nullptr && zone == nullptr; }
};

// The rectangle in front at (x, y) twips of the map box's client area.
Hit hitTest(int x, int y);

enum class MapPointer { Region, Map };

// The region pointer over any region or inert zone, the map pointer elsewhere.
MapPointer pointerAt(int x, int y);

} // namespace brindora
