// Colour as a pupil sees it: CIELAB of an sRGB colour under normal vision or simulated
// colour blindness, and the CIEDE2000 difference between two such colours.
#pragma once

#include <QRgb>
#include <array>
#include <ostream>

namespace brindora::colour {

enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
inline constexpr std::array<Vision, 4> kVisions{Vision::Normal, Vision::Protanopia,
                                                Vision::Deuteranopia, Vision::Tritanopia};
const char* name(Vision v);
inline void PrintTo(Vision v, std::ostream* os) {
    *os << name(v);
}

struct Lab {
    double L, a, b;
};

// CIELAB (D65) of an sRGB colour as seen with the given vision: dichromacy is simulated
// with the full-severity matrices of Machado, Oliveira and Fernandes (2009), applied to
// linear RGB and clipped to the displayable range.
Lab seen(QRgb colour, Vision vision);

// CIEDE2000 colour difference, with kL = kC = kH = 1.
double ciede2000(const Lab& one, const Lab& two);

} // namespace brindora::colour
