#include "window_placement.h"

#include "settings_keys.h"
#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace mirel::shell {

namespace {
// How much of a window must lie on a screen for the user to reach and drag it.
constexpr int grabSize = 48;

int clampInto(int start, int length, int areaStart, int areaLength) {
    return std::clamp(start, areaStart, std::max(areaStart, areaStart + areaLength - length));
}

// Moved as little as needed to lie wholly in the area it fits into.
QRect keepInside(QRect window, const QRect& area) {
    window.moveTopLeft(QPoint(clampInto(window.left(), window.width(), area.left(), area.width()),
                              clampInto(window.top(), window.height(), area.top(), area.height())));
    return window;
}

std::string decimalText(double twips) {
    return std::to_string(std::lround(twips));
}
} // namespace

QRect screenAreaFor(QPoint corner, const QList<QRect>& screens, const QRect& primary) {
    const QRect grab(corner, QSize(grabSize, grabSize));
    const auto home = std::find_if(screens.begin(), screens.end(),
                                   [&](const QRect& screen) { return screen.contains(grab); });
    return home != screens.end() ? *home : primary;
}

QRect fitOnScreens(QRect wanted, QSize minimum, const QList<QRect>& screens, const QRect& primary) {
    const QRect area = screenAreaFor(wanted.topLeft(), screens, primary);
    // The layout's size where the screen has room for it, but never beyond
    // the screen's free area: a layout larger than that scrolls.
    QRect fitted(wanted.topLeft(),
                 wanted.size().expandedTo(QSize(0, 0)).expandedTo(minimum).boundedTo(area.size()));
    return keepInside(fitted, area);
}

QRect besideWindow(const QRect& main, QSize wanted, const QRect& area) {
    const QSize size = wanted.boundedTo(area.size());
    const int roomRight = area.right() - main.right();
    const int roomLeft = main.left() - area.left();
    int left = main.right() + 1;
    if (roomRight < size.width())
        left = roomLeft >= size.width() || roomLeft > roomRight ? main.left() - size.width()
                                                                : area.right() + 1 - size.width();
    return keepInside(QRect(QPoint(left, main.top()), size), area);
}

double readTwips(const std::string& text, double fallback) {
    const char* start = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    while (end && *end == ' ')
        ++end;
    if (end == start || *end != '\0' || !std::isfinite(value))
        return fallback;
    // Stored values are single precision; one beyond its range stays as large.
    constexpr double largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -largest, largest));
}

double QtWindowPlacement::dotsPerInch() const {
    const QScreen* screen = window_.screen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

void QtWindowPlacement::restorePlacement() {
    const auto twips = [this](const char* key, double fallback) {
        return readTwips(
            settings_.value(settings::application, settings::section, key, decimalText(fallback)),
            fallback);
    };
    const double left = twips(settings::mainLeft, settings::defaultMainLeft);
    const double top = twips(settings::mainTop, settings::defaultMainTop);
    const double width = twips(settings::mainWidth, settings::defaultMainWidth);
    const double height = twips(settings::mainHeight, settings::defaultMainHeight);

    const double dpi = dotsPerInch();
    const auto px = [dpi](double value) { return placementPixels(value, dpi); };
    // The frame is known once the window has been shown; before that it is none.
    const QSize frame = window_.frameGeometry().size() - window_.geometry().size();

    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QScreen* primaryScreen = QGuiApplication::primaryScreen();
    const QRect primary = primaryScreen ? primaryScreen->availableGeometry() : QRect();
    const QPoint corner(px(left), px(top));
    const QSize minimum =
        fitLayout_(screenAreaFor(corner, screens, primary).size() - frame) + frame;
    // The zoom is read after the layout was fitted, which may have lowered it.
    const double zoom = zoom_() / 100.0;
    const QRect outer = fitOnScreens(QRect(corner, QSize(px(width * zoom), px(height * zoom))),
                                     minimum, screens, primary);
    window_.move(outer.topLeft());
    window_.resize(outer.size() - frame);
    outerBeforeShown_ = window_.isVisible() ? QSize() : outer.size();
}

void QtWindowPlacement::windowShown() {
    const QSize frame = window_.frameGeometry().size() - window_.geometry().size();
    const QScreen* screen = window_.screen();
    if (outerBeforeShown_.isValid() && !frame.isNull() && screen) {
        // The frame takes its room from the layout: the window grows by it,
        // or the layout zooms out further where the screen has no room.
        const QRect area = screen->availableGeometry();
        const QSize outer = outerBeforeShown_.expandedTo(fitLayout_(area.size() - frame) + frame)
                                .boundedTo(area.size());
        window_.move(keepInside(QRect(window_.frameGeometry().topLeft(), outer), area).topLeft());
        window_.resize(outer - frame);
    }
    outerBeforeShown_ = QSize();
}

void QtWindowPlacement::storePlacement() {
    const double perPixel = twipsPerInch / dotsPerInch();
    const QRect outer = window_.frameGeometry();
    const double zoom = zoom_() / 100.0;
    const auto store = [&](const char* key, double pixels) {
        settings_.setValue(settings::application, settings::section, key,
                           decimalText(pixels * perPixel));
    };
    store(settings::mainLeft, outer.left());
    store(settings::mainTop, outer.top());
    store(settings::mainWidth, outer.width() / zoom);
    store(settings::mainHeight, outer.height() / zoom);
}

} // namespace mirel::shell
