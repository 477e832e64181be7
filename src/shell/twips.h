#pragma once

#include <QRect>

#include <algorithm>
#include <cmath>

namespace mirel::shell {

// The window's controls are laid out in twips on a design grid of 15 twips
// per pixel.
inline constexpr int twipsPerPixel = 15;
inline constexpr int twipsPerInch = 1440;

constexpr int layoutPixels(int twips) {
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}

constexpr QRect layoutRect(int left, int top, int width, int height) {
    return QRect(layoutPixels(left), layoutPixels(top), layoutPixels(width), layoutPixels(height));
}

// A stored placement value (twips) on a screen with `dotsPerInch` logical dots.
// Values far beyond any screen stop at a bound that sums of positions and
// sizes cannot overflow; a value that is no number reads as 0.
inline int placementPixels(double twips, double dotsPerInch) {
    constexpr double bound = 1 << 24;
    const double pixels = twips * dotsPerInch / twipsPerInch;
    if (std::isnan(pixels))
        return 0;
    return static_cast<int>(std::lround(std::clamp(pixels, -bound, bound)));
}

} // namespace mirel::shell
