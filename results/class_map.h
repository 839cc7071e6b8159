// The class's map: the committed map of Europe with each state tinted by how often the class
// missed it at the first click, one hue from light to dark; built from the state mask.
#pragma once

#include "class_summary.h"

#include <array>
#include <cstdint>
#include <string>

namespace brindora {

struct RampStep {
    double upTo;       // missed share up to this (the last: 1)
    std::uint32_t rgb; // 0xRRGGBB
    const char* label; // for the legend
};

// Five steps of one hue, lightness falling as the misses rise.
extern const std::array<RampStep, 5> kMissRamp;
inline constexpr std::uint32_t kNeverAskedColour = 0xFFFFFF; // hatched with kHatchColour
inline constexpr std::uint32_t kHatchColour = 0xA0A0A0;
inline constexpr std::uint32_t kOtherLandColour = 0xDDDDDD;
inline constexpr std::uint32_t kSeaColour = 0xFFFFFF;
inline constexpr std::uint32_t kCoastColour = 0x404040;
// Between two states (or a state and other land): one pixel, dark enough on every shade.
inline constexpr std::uint32_t kBorderColour = 0x404040;

std::uint32_t missColour(double missed);

struct MapPicture {
    int width = 0, height = 0;
    std::string rgb; // 3 bytes a pixel, row after row
};

// The committed state mask (one byte a pixel in rgb), as the tinting reads it.
MapPicture stateMask();
// The tinted map; empty when the committed map cannot be decoded.
MapPicture classMap(const ClassSummary& summary);
// As PNG bytes, ready for a data: URI; empty on failure.
std::string encodePng(const MapPicture& picture);

} // namespace brindora
