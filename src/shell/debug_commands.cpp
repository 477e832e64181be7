// The Debug menu and toolbar, the status bar with the counts, and the
// debugger's marks in the lists. The debugger itself is core; these only
// show it and forward the user's commands.
#include "debug_views.h"
#include "frm_main.h"
#include "pictures.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace mirel::shell {

namespace {
// How long a status bar notice stays, in milliseconds.
constexpr int noticeTimeout = 5000;

QAction* debugCommand(QObject* owner, const char* name, const char* caption, const char* tip,
                      const QKeySequence& keys, QStyle::StandardPixmap icon, QStyle* style) {
    auto* action = new QAction(QString::fromLatin1(caption), owner);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    action->setToolTip(QString::fromLatin1(tip) + QStringLiteral(" (") +
                       keys.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    action->setIcon(style->standardIcon(icon));
    action->setIconVisibleInMenu(false);
    return action;
}
} // namespace

void frmMain::buildDebugCommands() {
    QStyle* look = style();
    QAction* breakpoint =
        debugCommand(this, "mnuDebugBreakpoint", "Toggle &Breakpoint", "Toggle Breakpoint",
                     QKeySequence(Qt::Key_F9), QStyle::SP_DialogNoButton, look);
    QAction* fullSpeed =
        debugCommand(this, "mnuDebugFullSpeed", "Run at &Full Speed", "Run at Full Speed",
                     QKeySequence(Qt::Key_F5), QStyle::SP_MediaSeekForward, look);
    QAction* stepBack = debugCommand(this, "mnuDebugStepBack", "Step &Back", "Step Back",
                                     QKeySequence(Qt::Key_F7), QStyle::SP_MediaSkipBackward, look);
    QAction* reset =
        debugCommand(this, "mnuDebugReset", "&Reset", "Reset", QKeySequence(Qt::CTRL | Qt::Key_R),
                     QStyle::SP_BrowserReload, look);
    connect(breakpoint, &QAction::triggered, this, &frmMain::mnuDebugBreakpoint_Click);
    connect(fullSpeed, &QAction::triggered, this, &frmMain::mnuDebugFullSpeed_Click);
    connect(stepBack, &QAction::triggered, this, &frmMain::mnuDebugStepBack_Click);
    connect(reset, &QAction::triggered, this, &frmMain::mnuDebugReset_Click);

    auto* menu = new QMenu(QStringLiteral("&Debug"), this);
    menu->setObjectName(QStringLiteral("mnuDebug"));
    menu->addAction(breakpoint);
    menu->addSeparator();
    menu->addAction(fullSpeed);
    menu->addAction(stepBack);
    menu->addSeparator();
    menu->addAction(reset);
    menu->addSeparator();
    buildDeviceCommands(menu);
    auto* help = findChild<QMenu*>(QStringLiteral("mnuHelp"));
    menuBar()->insertMenu(help->menuAction(), menu);

    // A toolbar of its own beside the file commands, in the same band.
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbDebug"));
    bar->setWindowTitle(QStringLiteral("Debug"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->setPalette(look->standardPalette());
    bar->setAutoFillBackground(true);
    bar->addActions({breakpoint, fullSpeed, stepBack, reset});
    addToolBar(Qt::TopToolBarArea, bar);

    auto* counts = new QLabel(this);
    counts->setObjectName(QStringLiteral("DebugCounts"));
    // Clear of the window's edge, and of a long notice that runs up to them.
    const int blank = counts->fontMetrics().averageCharWidth();
    counts->setContentsMargins(2 * blank, 0, blank, 0);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setPalette(look->standardPalette());
    statusBar()->setAutoFillBackground(true);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addPermanentWidget(counts);
    debugger_.setNotice([this](const std::string& text) {
        statusBar()->showMessage(QString::fromUtf8(text), noticeTimeout);
    });

    auto* code = controls_->findChild<QListView*>(QStringLiteral("Code"));
    code->setItemDelegate(
        new BreakpointMargin(debugger_.breakpoints(), debugger_.notInstructions(), code));
    code->setContextMenuPolicy(Qt::ActionsContextMenu);
    code->addAction(breakpoint);
    auto* reg = controls_->findChild<QListView*>(QStringLiteral("Reg"));
    reg->setItemDelegate(new ChangedRows(debugger_, reg));
    // Typing into the entry line changes what Step Back would restore.
    auto* counter = controls_->findChild<QComboBox*>(QStringLiteral("Counter"));
    connect(counter->lineEdit(), &QLineEdit::textEdited, this,
            [this] { debugger_.clearHistory(); });

    statusTimer_.setInterval(100);
    connect(&statusTimer_, &QTimer::timeout, this, &frmMain::showDebugger);
    // The bindings belong to the controls, which go before the models do.
    new ChangeBinding(*controls_, debugger_, [this] {
        showDebugger();
        showFirstChange();
    });
    new ChangeBinding(*controls_, debugger_.breakpoints(), [code] { code->viewport()->update(); });
    new ChangeBinding(*controls_, debugger_.notInstructions(),
                      [code] { code->viewport()->update(); });
    new ChangeBinding(*controls_, form_.StartKey, [this] { showDebugger(); });
    new ChangeBinding(*controls_, form_.StopKey, [this] { showDebugger(); });
}

// The counts, the highlight and which commands are possible now.
void frmMain::showDebugger() {
    showDevice();
    if (auto* counts = findChild<QLabel*>(QStringLiteral("DebugCounts")))
        counts->setText(QString::fromUtf8(debugger_.statusText()));
    const bool running = form_.Timer1.enabled();
    if (running != statusTimer_.isActive())
        running ? statusTimer_.start() : statusTimer_.stop();
    const auto enable = [this](const char* name, bool on) {
        if (auto* action = findChild<QAction*>(QLatin1String(name)))
            action->setEnabled(on);
    };
    enable("mnuDebugFullSpeed", fullSpeedPossible());
    enable("mnuDebugReset", form_.StartKey.enabled() || running);
    enable("mnuDebugStepBack", debugger_.canStepBack());
    if (!controls_)
        return;
    if (auto* reg = controls_->findChild<QListView*>(QStringLiteral("Reg")))
        reg->viewport()->update();
    if (auto* w = controls_->findChild<QLineEdit*>(QStringLiteral("W"))) {
        QPalette p = w->palette();
        p.setColor(QPalette::Base, debugger_.wChanged() ? changeHighlight() : QColor(Qt::black));
        w->setPalette(p);
    }
}

// The register list scrolls just enough to show the first register the last
// step or run changed.
void frmMain::showFirstChange() {
    const auto& changed = debugger_.changedRegisters();
    auto* reg = controls_ ? controls_->findChild<QListView*>(QStringLiteral("Reg")) : nullptr;
    if (changed.empty() || !reg)
        return;
    reg->scrollTo(reg->model()->index(changed.front(), 0), QAbstractItemView::EnsureVisible);
}

void frmMain::mnuDebugBreakpoint_Click() {
    debugger_.breakpoints().toggle(form_.Code.selectedIndex());
}

// From a stop, or from a timed run, which goes over to full speed.
bool frmMain::fullSpeedPossible() const {
    return form_.StartKey.enabled() || (form_.StopKey.enabled() && !run_.fullSpeed());
}

void frmMain::mnuDebugFullSpeed_Click() {
    if (fullSpeedPossible())
        run_.FullSpeed_Click();
}

void frmMain::mnuDebugReset_Click() {
    debugger_.reset();
    focusEntryLine();
}

void frmMain::mnuDebugStepBack_Click() {
    debugger_.stepBack();
    showDebugger();
}

} // namespace mirel::shell
