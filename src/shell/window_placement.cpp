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

std::string decimalText(double twips) {
    return std::to_string(std::lround(twips));
}
} // namespace

QRect fitOnScreens(QRect wanted, QSize minimum, const QList<QRect>& screens, const QRect& primary) {
    // The corner with the title bar and the menu must lie on a screen, or the
    // window goes onto the primary one.
    const QRect corner(wanted.topLeft(), QSize(grabSize, grabSize));
    const auto home = std::find_if(screens.begin(), screens.end(),
                                   [&](const QRect& screen) { return screen.contains(corner); });
    const QRect area = home != screens.end() ? *home : primary;
    // Never larger than the screen's free area, unless the layout needs more.
    QRect fitted(wanted.topLeft(),
                 wanted.size().expandedTo(QSize(0, 0)).boundedTo(area.size()).expandedTo(minimum));
    if (home == screens.end())
        fitted.moveTopLeft(
            QPoint(clampInto(fitted.left(), fitted.width(), area.left(), area.width()),
                   clampInto(fitted.top(), fitted.height(), area.top(), area.height())));
    return fitted;
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
    const double zoom = zoom_() / 100.0;
    // The frame is known once the window has been shown; before that it is none.
    const QSize frame = window_.frameGeometry().size() - window_.geometry().size();

    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect outer = fitOnScreens(QRect(px(left), px(top), px(width * zoom), px(height * zoom)),
                                     minimumClient_() + frame, screens,
                                     primary ? primary->availableGeometry() : QRect());
    window_.move(outer.topLeft());
    window_.resize(outer.size() - frame);
    outerBeforeShown_ = window_.isVisible() ? QSize() : outer.size();
}

void QtWindowPlacement::windowShown() {
    const QSize frame = window_.frameGeometry().size() - window_.geometry().size();
    if (outerBeforeShown_.isValid() && !frame.isNull())
        window_.resize(outerBeforeShown_ - frame);
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
