#pragma once

#include <QRect>

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
inline int placementPixels(double twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / twipsPerInch));
}

} // namespace mirel::shell
