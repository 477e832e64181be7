#pragma once

#include <QSize>

#include <functional>

class QWidget;

namespace mirel::shell {

// The layout's zoom in percent, for projectors and small screens.
inline constexpr int actualSize = 100;
inline constexpr int zoomSteps[] = {50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};

// The next step in or out from `percent` (+1 in, -1 out); the ends stay.
int nextZoom(int percent, int direction);
// A stored zoom text as a step; anything else reads as the actual size.
int readZoom(const char* text);

// The largest step, at most `wanted`, at which the client size `clientAt`
// gives fits into `area`; the smallest step when none does.
int largestFittingStep(int wanted, const std::function<QSize(int)>& clientAt, QSize area);

// The zoom (in percent, to a tenth) at which a layout of `base` pixels at 100%
// fills `area` as far as it can while keeping its proportions.
double fillingZoom(QSize base, QSize area);

// Scales the controls laid out on `canvas` (its children and the children of
// their plain frames): places, sizes and font points, always from their sizes
// at 100%, so that steps back and forth never drift.
void zoomControls(QWidget& canvas, double percent);
// Scales only the font of `widget`, which its children inherit, from its
// size at 100%.
void zoomFont(QWidget& widget, double percent);
// The canvas's size at 100%.
QSize actualLayoutSize(const QWidget& canvas);

} // namespace mirel::shell
