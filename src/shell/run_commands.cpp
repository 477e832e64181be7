// The run buttons as commands of the Debug menu, each with its own key, and
// the entry line taking the keyboard after the commands that start a program.
#include "frm_main.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace mirel::shell {

namespace {
struct RunCommand {
    const char* name;
    const char* caption;
    const char* button;
    state::ControlModel& model;
    const char* tip;
    QList<QKeySequence> keys;
};
} // namespace

void frmMain::buildRunCommands() {
    // Keys the entry line leaves alone: no plain arrows, Home/End or editing
    // keys; Ctrl with + and - zoom the layout.
    const RunCommand commands[] = {
        {"mnuDebugStep",
         "&Step",
         "Step",
         form_.Step,
         "Run the selected line",
         {QKeySequence(Qt::Key_F10)}},
        {"mnuDebugStart",
         "S&tart",
         "StartKey",
         form_.StartKey,
         "Run at the speed shown",
         {QKeySequence(Qt::Key_F6)}},
        {"mnuDebugStop",
         "Sto&p",
         "StopKey",
         form_.StopKey,
         "Stop the run",
         {QKeySequence(Qt::SHIFT | Qt::Key_F5), QKeySequence(Qt::Key_Escape)}},
        {"mnuDebugFaster",
         "F&aster",
         "Fast",
         form_.Fast,
         "Run faster",
         {QKeySequence(Qt::CTRL | Qt::Key_Up)}},
        {"mnuDebugSlower",
         "S&lower",
         "Slow",
         form_.Slow,
         "Run slower",
         {QKeySequence(Qt::CTRL | Qt::Key_Down)}},
    };
    auto* menu = findChild<QMenu*>(QStringLiteral("mnuDebug"));
    menu->addSeparator();
    for (const RunCommand& c : commands) {
        auto* button = controls_->findChild<QPushButton*>(QLatin1String(c.button));
        auto* action = new QAction(QString::fromLatin1(c.caption), this);
        action->setObjectName(QLatin1String(c.name));
        action->setShortcuts(c.keys);
        const QString tip = QString::fromLatin1(c.tip) + QStringLiteral(" (") +
                            c.keys.first().toString(QKeySequence::NativeText) + QLatin1Char(')');
        action->setToolTip(tip);
        button->setToolTip(tip);
        connect(action, &QAction::triggered, button, &QPushButton::click);
        // Possible exactly when the button could be pressed; the binding
        // belongs to the controls, which go before the models do.
        state::ControlModel& model = c.model;
        new ChangeBinding(*button, model, [action, &model] {
            action->setEnabled(model.visible() && model.enabled());
        });
        menu->addAction(action);
        addAction(action);
    }
    // A timed run may go over to full speed, and Fast and Slow hide for it.
    new ChangeBinding(*controls_, form_.Fast, [this] { showDebugger(); });
}

// The caret at the end of the entry line, ready for the next instruction.
void frmMain::focusEntryLine() {
    auto* counter = controls_->findChild<QComboBox*>(QStringLiteral("Counter"));
    if (!counter || counter->isHidden() || !counter->isEnabled())
        return;
    form_.Counter.caretToEnd();
    counter->lineEdit()->setFocus(Qt::OtherFocusReason);
    counter->lineEdit()->end(false);
}

} // namespace mirel::shell
