// Window and map coordinates: twips, 1/1440 inch, 15 to a pixel, and their rectangles.
#pragma once

namespace brindora {

inline constexpr int kTwipsPerPixel = 15;

// A rectangle in twips, relative to the client area of its container.
struct Rect {
    int left, top, width, height;

    constexpr bool holds(int x, int y) const {
        return left <= x && x < left + width && top <= y && y < top + height;
    }
};

constexpr int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

constexpr int twipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}

} // namespace brindora
