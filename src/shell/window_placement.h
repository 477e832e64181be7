#pragma once

#include "state/platform.h"
#include "state/settings_store.h"

#include <QList>
#include <QRect>

#include <functional>

class QWidget;

namespace mirel::shell {

// The free area of the screen that holds a window's top-left corner (title
// bar and menu), or the primary screen's when none does.
QRect screenAreaFor(QPoint corner, const QList<QRect>& screens, const QRect& primary);

// Where a window with the outer rectangle `wanted` opens: never smaller than
// `minimum`, yet never larger than the free area of its screen, and moved as
// little as needed to lie wholly in it; a window whose top-left corner is on
// no screen goes onto the primary one.
QRect fitOnScreens(QRect wanted, QSize minimum, const QList<QRect>& screens, const QRect& primary);

// Where a second window of size `wanted` opens beside the main window's
// outer rectangle `main`: to its right, else to its left, else at the side
// with more room, overlapping it as little as it can; never larger than the
// free area `area` and always inside it.
QRect besideWindow(const QRect& main, QSize wanted, const QRect& area);

// A stored placement value read as a number; text that is no number reads as
// the default, as a missing key does.
double readTwips(const std::string& text, double fallback);

// The main window's placement in the settings store, in twips: left, top,
// outer width and outer height. `fitLayout` is given the client area the
// screen leaves free and returns the client size the layout then needs
// (controls, menu bar and toolbar; a window that opens may zoom out to fit);
// the frame is added to it. `zoom` is the layout's zoom in percent: the
// stored width and height are those at 100%, so that a zoom never grows the
// window it opens with.
class QtWindowPlacement final : public state::WindowPlacement {
public:
    QtWindowPlacement(
        QWidget& window, state::SettingsStore& settings, std::function<QSize(QSize)> fitLayout,
        std::function<int()> zoom = [] { return 100; })
        : window_(window), settings_(settings), fitLayout_(std::move(fitLayout)),
          zoom_(std::move(zoom)) {}

    void restorePlacement() override;
    // Once the window is shown its frame is known: the outer size restored
    // before that is corrected for it.
    void windowShown();
    // Writes the window's current left, top, width and height, in this order.
    void storePlacement();

private:
    double dotsPerInch() const;

    QWidget& window_;
    state::SettingsStore& settings_;
    std::function<QSize(QSize)> fitLayout_;
    std::function<int()> zoom_;
    QSize outerBeforeShown_; // set while the frame is unknown
};

} // namespace mirel::shell
