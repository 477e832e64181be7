// The Edit menu: Undo and Redo of program edits, Insert Line and Delete Line.
// The editing itself is core; these only forward the user's commands.
#include "control_bindings.h"
#include "frm_main.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace mirel::shell {

namespace {

QAction* editCommand(QObject* owner, const char* name, const char* caption,
                     const QKeySequence& keys) {
    auto* action = new QAction(QString::fromLatin1(caption), owner);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    return action;
}

// Ctrl+Z in the entry line first takes back what was typed there, as in any
// text field; with nothing typed to take back it undoes the last program
// edit, which is what a user who just pressed Enter there means. The box
// or its line has the focus (the box hands keys on to its line), so both
// are watched: the key is kept from the window's shortcuts and Undo run here.
class EntryLineUndo final : public QObject {
public:
    EntryLineUndo(QComboBox& box, QAction& undo)
        : QObject(&box), line_(*box.lineEdit()), undo_(undo) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool key =
            event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
        if (!key || line_.isUndoAvailable() ||
            QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()) != undo_.shortcut())
            return QObject::eventFilter(watched, event);
        event->accept();
        if (event->type() == QEvent::KeyPress && undo_.isEnabled())
            undo_.trigger();
        return true;
    }

private:
    QLineEdit& line_;
    QAction& undo_;
};

} // namespace

void frmMain::buildEditCommands() {
    QAction* undo = editCommand(this, "mnuEditUndo", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = editCommand(this, "mnuEditRedo", "&Redo", QKeySequence(Qt::CTRL | Qt::Key_Y));
    QAction* insert =
        editCommand(this, "mnuEditInsertLine", "&Insert Line", QKeySequence(Qt::Key_Insert));
    QAction* remove =
        editCommand(this, "mnuEditDeleteLine", "&Delete Line", QKeySequence(Qt::Key_Delete));
    connect(undo, &QAction::triggered, this, [this] { editor_.undo(); });
    connect(redo, &QAction::triggered, this, [this] { editor_.redo(); });
    connect(insert, &QAction::triggered, this, [this] {
        if (!editor_.insertLine() && !editor_.refusal().empty())
            statusBar()->showMessage(QString::fromStdString(editor_.refusal()), 5000);
    });
    connect(remove, &QAction::triggered, this, [this] { editor_.deleteLine(); });

    auto* menu = new QMenu(QStringLiteral("&Edit"), this);
    menu->setObjectName(QStringLiteral("mnuEdit"));
    menu->addActions({undo, redo});
    menu->addSeparator();
    menu->addActions({insert, remove});
    auto* debug = findChild<QMenu*>(QStringLiteral("mnuDebug"));
    menuBar()->insertMenu(debug->menuAction(), menu);
    addActions({undo, redo});

    // Insert and Delete act in the program list only: elsewhere they edit
    // the entry line's text. The list's right-click menu offers them too.
    auto* code = controls_->findChild<QListView*>(QStringLiteral("Code"));
    for (QAction* action : {insert, remove}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        code->addAction(action);
    }
    auto* counter = controls_->findChild<QComboBox*>(QStringLiteral("Counter"));
    auto* entryUndo = new EntryLineUndo(*counter, *undo);
    counter->installEventFilter(entryUndo);
    counter->lineEdit()->installEventFilter(entryUndo);

    new ChangeBinding(*controls_, editor_, [this] { showEditCommands(); });
    showEditCommands();
}

// Each command is enabled exactly when it can act.
void frmMain::showEditCommands() {
    const auto enable = [this](const char* name, bool on) {
        if (auto* action = findChild<QAction*>(QLatin1String(name)))
            action->setEnabled(on);
    };
    enable("mnuEditUndo", editor_.canUndo());
    enable("mnuEditRedo", editor_.canRedo());
    enable("mnuEditInsertLine", editor_.canInsertLine());
    enable("mnuEditDeleteLine", editor_.canDeleteLine());
}

} // namespace mirel::shell
