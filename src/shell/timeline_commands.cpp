// View > Timeline, Debug > Watch, Debug > Statistics and the stopwatch in the
// status bar: the machine over its steps. Each window follows the debugger
// only while it is shown.
#include "control_bindings.h"
#include "frm_main.h"
#include "register_reference.h"
#include "statistics_dialog.h"
#include "stopwatch_label.h"
#include "timeline_dock.h"
#include "watch_dock.h"
#include "wrapping_status_bar.h"

#include <QAction>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

#include <algorithm>

namespace mirel::shell {

void frmMain::buildTimelineCommands() {
    timelineDock_ = new TimelineDock(debugger_, form_, services_.dialogs, services_.messages, this);
    addDockWidget(Qt::BottomDockWidgetArea, timelineDock_);
    timelineDock_->hide();
    QAction* timeline = timelineDock_->toggleViewAction();
    timeline->setObjectName(QStringLiteral("mnuViewTimeline"));
    timeline->setText(QStringLiteral("&Timeline"));
    timeline->setToolTip(QStringLiteral("The pins, W and chosen registers over the steps"));
    connect(timeline, &QAction::triggered, this, [this](bool on) {
        if (on)
            showDockWithRoom(timelineDock_, timelineDock_->preferredHeight());
    });
    auto* view = findChild<QMenu*>(QStringLiteral("mnuView"));
    view->addSeparator();
    view->addAction(timeline);

    watchDock_ = new WatchDock(debugger_, form_, this);
    addDockWidget(Qt::RightDockWidgetArea, watchDock_);
    watchDock_->hide();
    QAction* watch = watchDock_->toggleViewAction();
    watch->setObjectName(QStringLiteral("mnuDebugWatch"));
    watch->setText(QStringLiteral("&Watch"));
    watch->setToolTip(QStringLiteral("Registers and bits watched over the steps; a condition "
                                     "stops a run"));
    connect(watch, &QAction::triggered, this, [this](bool on) {
        if (on)
            showDockWithRoom(watchDock_, watchDock_->preferredWidth());
    });
    auto* statistics = new QAction(QStringLiteral("Stat&istics..."), this);
    statistics->setObjectName(QStringLiteral("mnuDebugStatistics"));
    statistics->setToolTip(QStringLiteral("The steps in reach counted: cycles, time and "
                                          "instructions by mnemonic"));
    connect(statistics, &QAction::triggered, this, [this] {
        if (!statistics_)
            statistics_ = new StatisticsDialog(debugger_, form_, this);
        statistics_->show();
        statistics_->raise();
        statistics_->refresh();
    });
    auto* debugMenu = findChild<QMenu*>(QStringLiteral("mnuDebug"));
    debugMenu->addSeparator();
    debugMenu->addAction(watch);
    debugMenu->addAction(statistics);

    // The register list's right-click menu watches the line under the mouse.
    auto* reg = controls_->findChild<QListView*>(QStringLiteral("Reg"));
    reg->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(reg, &QListView::customContextMenuRequested, this, [this, reg](const QPoint& at) {
        const QModelIndex line = reg->indexAt(at);
        if (!line.isValid())
            return;
        QMenu menu(reg);
        const QString name = QString::fromStdString(registerLineName(form_.model, line.row()));
        QAction* add = menu.addAction(QStringLiteral("Watch %1").arg(name));
        add->setObjectName(QStringLiteral("mnuRegWatch"));
        connect(add, &QAction::triggered, this, [this, line] { watchRegisterLine(line.row()); });
        menu.exec(reg->viewport()->mapToGlobal(at));
    });

    auto* stopwatch = new StopwatchLabel(debugger_, this);
    statusBar()->addPermanentWidget(stopwatch);
    static_cast<WrappingStatusBar*>(statusBar())->letStepAside(stopwatch);
    // One listener for them all, owned by the controls, which go before
    // the debugger does; the windows it shows stay until after.
    new ChangeBinding(*controls_, debugger_, [this, stopwatch] {
        timelineDock_->follow();
        if (form_.Timer1.enabled())
            return; // a run is shown once it stops
        stopwatch->refresh();
        if (!watchDock_->isHidden())
            watchDock_->refresh();
        if (statistics_ && statistics_->isVisible())
            statistics_->refresh();
    });
}

void frmMain::watchRegisterLine(int line) {
    if (!watchDock_->watchRegister(line))
        return;
    if (watchDock_->isHidden())
        showDockWithRoom(watchDock_, watchDock_->preferredWidth());
}

// A docked window that appears widens (or deepens) the main window by its
// room, as far as the screen allows, so that the controls keep their size.
void frmMain::showDockWithRoom(QDockWidget* dock, int room) {
    dock->show();
    dock->raise();
    if (!isVisible() || isMaximized() || isFullScreen() || dock->isFloating())
        return;
    const bool across = dockWidgetArea(dock) == Qt::LeftDockWidgetArea ||
                        dockWidgetArea(dock) == Qt::RightDockWidgetArea;
    const int separator = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
    const QScreen* where = screen();
    // As much of its room as the screen has beside the window, and at least
    // a few lines: the controls keep their size where they can.
    if (where) {
        const QSize free = where->availableGeometry().size() - frameGeometry().size();
        const int least = 8 * fontMetrics().height();
        room = std::max(least, std::min(room, (across ? free.width() : free.height()) - separator));
    }
    QSize wanted =
        across ? size() + QSize(room + separator, 0) : size() + QSize(0, room + separator);
    if (where)
        wanted = wanted.boundedTo(where->availableGeometry().size() -
                                  (frameGeometry().size() - geometry().size()));
    resize(wanted);
    resizeDocks({dock}, {room}, across ? Qt::Horizontal : Qt::Vertical);
    if (!where)
        return;
    // A window that grew past the screen's edge moves back onto it.
    const QRect free = where->availableGeometry();
    const QRect frame = frameGeometry();
    const QPoint inside(
        std::max(free.left(), std::min(frame.left(), free.right() - frame.width())),
        std::max(free.top(), std::min(frame.top(), free.bottom() - frame.height())));
    if (inside != frame.topLeft())
        move(pos() + (inside - frame.topLeft()));
}

} // namespace mirel::shell
