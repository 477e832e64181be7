// The View menu: the layout's zoom, kept in the settings; a window too small
// for it zooms out as it opens, and a larger one is filled.
#include "exercise_dock.h"
#include "frm_main.h"
#include "settings_keys.h"
#include "text_fit.h"
#include "timeline_dock.h"
#include "watch_dock.h"
#include "wrapping_status_bar.h"
#include "zoom.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>

#include <cmath>
#include <string>

namespace mirel::shell {

namespace {
QAction* viewCommand(QObject* owner, const char* name, const char* caption,
                     const QList<QKeySequence>& keys) {
    auto* action = new QAction(QString::fromLatin1(caption), owner);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
    return action;
}

// Calls back whenever the watched widget changed its size.
class ResizeWatch final : public QObject {
public:
    ResizeWatch(QWidget& watched, std::function<void()> resized)
        : QObject(&watched), resized_(std::move(resized)) {
        watched.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            resized_();
        return false;
    }

private:
    std::function<void()> resized_;
};
} // namespace

void frmMain::buildViewCommands() {
    QAction* zoomIn = viewCommand(
        this, "mnuViewZoomIn", "Zoom &In",
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction* zoomOut =
        viewCommand(this, "mnuViewZoomOut", "Zoom &Out", {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    QAction* actual = viewCommand(this, "mnuViewActualSize", "&Actual Size",
                                  {QKeySequence(Qt::CTRL | Qt::Key_0)});
    // From the zoom shown, which a window that fills may have raised.
    connect(zoomIn, &QAction::triggered, this,
            [this] { setZoom(nextZoom(static_cast<int>(std::floor(shownZoom_)), +1)); });
    connect(zoomOut, &QAction::triggered, this,
            [this] { setZoom(nextZoom(static_cast<int>(std::ceil(shownZoom_)), -1)); });
    connect(actual, &QAction::triggered, this, [this] { setZoom(actualSize); });

    auto* menu = new QMenu(QStringLiteral("&View"), this);
    menu->setObjectName(QStringLiteral("mnuView"));
    for (QAction* action : {zoomIn, zoomOut, actual}) {
        menu->addAction(action);
        addAction(action);
    }
    auto* help = findChild<QMenu*>(QStringLiteral("mnuHelp"));
    menuBar()->insertMenu(help->menuAction(), menu);

    const std::string stored = services_.settings.value(settings::application, settings::section,
                                                        settings::zoom, std::to_string(actualSize));
    zoom_ = readZoom(stored.c_str());
    // Shown once even at the actual size, so that every text is fitted to
    // its control from the sizes the zoom recorded.
    shownZoom_ = -1;
    showZoom(zoom_);
    auto* scroll = findChild<QScrollArea*>(QStringLiteral("scrollArea"));
    scroll->setAlignment(Qt::AlignCenter);
    new ResizeWatch(*scroll, [this] { fillWindow(); });
}

QSize frmMain::layoutClientSize(double percent) const {
    const QSize actual = actualLayoutSize(*controls_);
    int height = static_cast<int>(std::lround(actual.height() * percent / 100.0)) +
                 menuBar()->sizeHint().height();
    if (toolBar_)
        height += toolBar_->sizeHint().height();
    if (statusBar())
        height += statusBar()->sizeHint().height();
    // The docked windows keep their room beside the layout.
    const QSize dock = dockedRoom();
    return {static_cast<int>(std::lround(actual.width() * percent / 100.0)) + dock.width(),
            height + dock.height()};
}

QSize frmMain::fitLayout(QSize freeClient) {
    if (opening_) {
        zoom_ = largestFittingStep(
            zoom_, [this](int percent) { return layoutClientSize(percent); }, freeClient);
        showZoom(zoom_);
    }
    return layoutClientSize(zoom_);
}

// While a long message makes the status bar taller, the layout shrinks a
// little to stay whole rather than scroll.
void frmMain::fillWindow() {
    const auto* scroll = findChild<QScrollArea*>(QStringLiteral("scrollArea"));
    const double filling = fillingZoom(actualLayoutSize(*controls_), scroll->maximumViewportSize());
    const auto* bar = qobject_cast<const WrappingStatusBar*>(statusBar());
    showZoom(bar && bar->grown() ? filling : std::max<double>(zoom_, filling));
}

void frmMain::showZoom(double percent) {
    if (percent == shownZoom_)
        return;
    shownZoom_ = percent;
    zoomControls(*controls_, percent);
    keepTextsWhole(*controls_);
    if (exerciseDock_)
        exerciseDock_->zoom(percent);
    if (timelineDock_) {
        timelineDock_->zoom(percent);
        watchDock_->zoom(percent);
    }
}

void frmMain::setZoom(int percent) {
    zoom_ = percent;
    services_.settings.setValue(settings::application, settings::section, settings::zoom,
                                std::to_string(zoom_));
    showZoom(zoom_);
    if (instructionSet_)
        instructionSet_->setZoom(zoom_);
    if (!isVisible())
        return;
    if (isMaximized() || isFullScreen()) {
        fillWindow();
        return;
    }
    // The window takes the layout's size, as far as the screen lets it.
    QSize wanted = layoutClientSize(zoom_);
    if (const QScreen* where = screen())
        wanted = wanted.boundedTo(where->availableGeometry().size() -
                                  (frameGeometry().size() - geometry().size()));
    resize(wanted);
}

} // namespace mirel::shell
