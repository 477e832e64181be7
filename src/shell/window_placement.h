#pragma once

#include "state/platform.h"
#include "state/settings_store.h"

#include <QList>
#include <QRect>

#include <functional>

class QWidget;

namespace mirel::shell {

// Where a window with the outer rectangle `wanted` opens: no larger than the
// free area of its screen, yet never smaller than `minimum`; when its top-left
// corner (title bar and menu) is on no screen, moved onto the primary screen
// (as near to where it was as fits, else at its top-left).
QRect fitOnScreens(QRect wanted, QSize minimum, const QList<QRect>& screens, const QRect& primary);

// A stored placement value read as a number; text that is no number reads as
// the default, as a missing key does.
double readTwips(const std::string& text, double fallback);

// The main window's placement in the settings store, in twips: left, top,
// outer width and outer height. `minimumClient` is the client size the layout
// needs (controls, menu bar and toolbar); the frame is added to it. `zoom`
// is the layout's zoom in percent: the stored width and height are those at
// 100%, so that a zoom never grows the window it opens with.
class QtWindowPlacement final : public state::WindowPlacement {
public:
    QtWindowPlacement(
        QWidget& window, state::SettingsStore& settings, std::function<QSize()> minimumClient,
        std::function<int()> zoom = [] { return 100; })
        : window_(window), settings_(settings), minimumClient_(std::move(minimumClient)),
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
    std::function<QSize()> minimumClient_;
    std::function<int()> zoom_;
    QSize outerBeforeShown_; // set while the frame is unknown
};

} // namespace mirel::shell
