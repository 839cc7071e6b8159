// Colour as a pupil sees it: an sRGB colour under normal vision or simulated colour
// blindness, its CIELAB, and the CIEDE2000 difference between two such colours. The map
// generator draws the map as seen with deuteranopia from it; the map tests judge its colours.
#pragma once

#include <QRgb>
#include <array>

namespace brindora::colour {

enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
inline constexpr std::array<Vision, 4> kVisions{Vision::Normal, Vision::Protanopia,
                                                Vision::Deuteranopia, Vision::Tritanopia};
const char* name(Vision v);

struct Lab {
    double L, a, b;
};

// An sRGB colour as seen with the given vision: dichromacy is simulated with the
// full-severity matrices of Machado, Oliveira and Fernandes (2009), applied to linear RGB
// and clipped to the displayable range. Alpha is dropped.
QRgb simulated(QRgb colour, Vision vision);

// CIELAB (D65) of an sRGB colour as seen with the given vision, simulated as above.
Lab seen(QRgb colour, Vision vision);

// CIEDE2000 colour difference, with kL = kC = kH = 1.
double ciede2000(const Lab& one, const Lab& two);

} // namespace brindora::colour
