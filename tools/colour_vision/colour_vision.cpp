// Colour as a pupil sees it: simulated dichromacy, CIELAB and CIEDE2000.
#include "colour_vision.h"

#include <algorithm>
#include <cmath>

namespace brindora::colour {

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

// Machado, Oliveira and Fernandes (2009), severity 1.0, for linear RGB.
constexpr Matrix kProtanopia{{{0.152286, 1.052583, -0.204868},
                              {0.114503, 0.786281, 0.099216},
                              {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix kDeuteranopia{{{0.367322, 0.860646, -0.227968},
                                {0.280085, 0.672501, 0.047413},
                                {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix kTritanopia{{{1.255528, -0.076749, -0.178779},
                              {-0.078411, 0.930809, 0.147602},
                              {0.004733, 0.691367, 0.303900}}};
constexpr Matrix kIdentity{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
// Linear sRGB to CIE XYZ, and the D65 white point.
constexpr Matrix kToXyz{{{0.4124564, 0.3575761, 0.1804375},
                         {0.2126729, 0.7151522, 0.0721750},
                         {0.0193339, 0.1191920, 0.9503041}}};
constexpr std::array<double, 3> kWhite{0.95047, 1.0, 1.08883};
constexpr double kPi = 3.14159265358979323846;

const Matrix& simulation(Vision v) {
    switch (v) {
    case Vision::Protanopia:
        return kProtanopia;
    case Vision::Deuteranopia:
        return kDeuteranopia;
    case Vision::Tritanopia:
        return kTritanopia;
    case Vision::Normal:
        break;
    }
    return kIdentity;
}

std::array<double, 3> times(const Matrix& m, const std::array<double, 3>& v) {
    std::array<double, 3> out{};
    for (int i = 0; i < 3; ++i)
        out[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    return out;
}

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int encoded(double linear) {
    const double c = std::clamp(linear, 0.0, 1.0);
    const double s = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return int(std::lround(s * 255));
}

// Linear RGB as seen with the given vision, within the displayable range.
std::array<double, 3> linearSeen(QRgb colour, Vision vision) {
    std::array<double, 3> rgb{linear(qRed(colour)), linear(qGreen(colour)), linear(qBlue(colour))};
    rgb = times(simulation(vision), rgb);
    for (double& c : rgb)
        c = std::clamp(c, 0.0, 1.0);
    return rgb;
}

double labCurve(double t) {
    constexpr double d = 6.0 / 29.0;
    return t > d * d * d ? std::cbrt(t) : t / (3 * d * d) + 4.0 / 29.0;
}

double degrees(double radians) {
    return radians * 180.0 / kPi;
}
double radians(double degrees) {
    return degrees * kPi / 180.0;
}

} // namespace

const char* name(Vision v) {
    switch (v) {
    case Vision::Protanopia:
        return "protanopia";
    case Vision::Deuteranopia:
        return "deuteranopia";
    case Vision::Tritanopia:
        return "tritanopia";
    case Vision::Normal:
        break;
    }
    return "normal";
}

QRgb simulated(QRgb colour, Vision vision) {
    const std::array<double, 3> rgb = linearSeen(colour, vision);
    return qRgb(encoded(rgb[0]), encoded(rgb[1]), encoded(rgb[2]));
}

Lab seen(QRgb colour, Vision vision) {
    const std::array<double, 3> xyz = times(kToXyz, linearSeen(colour, vision));
    const double fx = labCurve(xyz[0] / kWhite[0]);
    const double fy = labCurve(xyz[1] / kWhite[1]);
    const double fz = labCurve(xyz[2] / kWhite[2]);
    return Lab{116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

// After Sharma, Wu and Dalal (2005), "The CIEDE2000 color-difference formula".
double ciede2000(const Lab& one, const Lab& two) {
    const double c1 = std::hypot(one.a, one.b), c2 = std::hypot(two.a, two.b);
    const double meanC7 = std::pow((c1 + c2) / 2, 7);
    const double g = 0.5 * (1 - std::sqrt(meanC7 / (meanC7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * one.a, a2 = (1 + g) * two.a;
    const double cp1 = std::hypot(a1, one.b), cp2 = std::hypot(a2, two.b);
    auto hue = [](double b, double a) {
        if (a == 0 && b == 0)
            return 0.0;
        const double h = degrees(std::atan2(b, a));
        return h < 0 ? h + 360 : h;
    };
    const double h1 = hue(one.b, a1), h2 = hue(two.b, a2);

    const double dL = two.L - one.L, dC = cp2 - cp1;
    double dh = 0;
    if (cp1 * cp2 != 0) {
        dh = h2 - h1;
        if (dh > 180)
            dh -= 360;
        else if (dh < -180)
            dh += 360;
    }
    const double dH = 2 * std::sqrt(cp1 * cp2) * std::sin(radians(dh / 2));

    const double meanL = (one.L + two.L) / 2, meanCp = (cp1 + cp2) / 2;
    double meanH = h1 + h2;
    if (cp1 * cp2 != 0) {
        if (std::abs(h1 - h2) <= 180)
            meanH /= 2;
        else
            meanH = h1 + h2 < 360 ? (h1 + h2 + 360) / 2 : (h1 + h2 - 360) / 2;
    }
    const double t = 1 - 0.17 * std::cos(radians(meanH - 30)) +
                     0.24 * std::cos(radians(2 * meanH)) + 0.32 * std::cos(radians(3 * meanH + 6)) -
                     0.20 * std::cos(radians(4 * meanH - 63));
    const double dTheta = 30 * std::exp(-std::pow((meanH - 275) / 25, 2));
    const double meanCp7 = std::pow(meanCp, 7);
    const double rc = 2 * std::sqrt(meanCp7 / (meanCp7 + std::pow(25.0, 7)));
    const double l50 = (meanL - 50) * (meanL - 50);
    const double sl = 1 + 0.015 * l50 / std::sqrt(20 + l50);
    const double sc = 1 + 0.045 * meanCp;
    const double sh = 1 + 0.015 * meanCp * t;
    const double rt = -std::sin(radians(2 * dTheta)) * rc;
    const double l = dL / sl, c = dC / sc, h = dH / sh;
    return std::sqrt(l * l + c * c + h * h + rt * c * h);
}

} // namespace brindora::colour
