// The main window's commands: the menu bar, the toolbar and what their items run.
#include "examples_folder.h"
#include "frm_about.h"
#include "frm_main.h"
#include "pictures.h"

#include <QAction>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include <exception>

namespace mirel::shell {

namespace {
QAction* command(QObject* owner, const char* name, const char* caption) {
    auto* action = new QAction(QString::fromLatin1(caption), owner);
    action->setObjectName(QLatin1String(name));
    return action;
}

// A toolbar command: its key is its icon and what the toolbar handler
// compares; the tooltip adds its keyboard shortcut.
void keyed(QAction* action, const char* key, QKeySequence::StandardKey shortcut) {
    const QString text = QString::fromLatin1(key);
    action->setData(text);
    action->setShortcut(shortcut);
    action->setToolTip(text + QStringLiteral(" (") +
                       action->shortcut().toString(QKeySequence::NativeText) + QLatin1Char(')'));
    action->setIcon(makeToolbarIcon(text));
    action->setIconVisibleInMenu(false);
}

void separator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}
} // namespace

void frmMain::buildCommands() {
    // Open and Save are one command each, shared by the File menu and the
    // toolbar; New exists only on the toolbar.
    QAction* newProgram = command(this, "New", "New");
    keyed(newProgram, "New", QKeySequence::New);
    QAction* open = command(this, "mnuFileOpen", "&Open...");
    keyed(open, "Open", QKeySequence::Open);
    QAction* save = command(this, "mnuFileSave", "&Save");
    keyed(save, "Save", QKeySequence::Save);
    for (QAction* action : {newProgram, open, save})
        connect(action, &QAction::triggered, this,
                [this, action] { tbToolBar_ButtonClick(action->data().toString()); });

    QAction* properties = command(this, "mnuFileProperties", "Propert&ies");
    connect(properties, &QAction::triggered, this, &frmMain::mnuFileProperties_Click);
    QAction* close = command(this, "mnuFileClose", "&Close");
    connect(close, &QAction::triggered, this, &frmMain::mnuFileClose_Click);
    QAction* contents = command(this, "mnuHelpContents", "&Contents");
    connect(contents, &QAction::triggered, this, &frmMain::mnuHelpContents_Click);
    QAction* about = command(this, "mnuHelpAbout", "&About ");
    connect(about, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);

    // The menu bar keeps the panel face; the window behind it is black.
    menuBar()->setPalette(style()->standardPalette());
    menuBar()->setAutoFillBackground(true);
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    file->addAction(open);
    buildExamplesMenu(file);
    separator(file, "mnuFileBar0");
    file->addAction(save);
    separator(file, "mnuFileBar1");
    file->addAction(properties);
    separator(file, "mnuFileBar2");
    file->addAction(close);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->addAction(contents);
    separator(help, "mnuHelpBar0");
    help->addAction(about);

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("tbToolBar"));
    toolBar_->setWindowTitle(QStringLiteral("Toolbar"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);
    toolBar_->setPalette(style()->standardPalette());
    toolBar_->setAutoFillBackground(true);
    toolBar_->addActions({newProgram, open, save});
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

// The example programs by name; an example opens as a Mirel file would. An
// "&" in a name is shown, not taken for the mark of an access key.
void frmMain::buildExamplesMenu(QMenu* file) {
    QMenu* examples = file->addMenu(QStringLiteral("E&xamples"));
    examples->setObjectName(QStringLiteral("mnuFileExamples"));
    for (const ExampleProgram& example : examplePrograms(examplesFolder())) {
        QString caption = example.name;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        connect(examples->addAction(caption), &QAction::triggered, this,
                [this, path = example.path] { mnuFileExample_Click(path); });
    }
    examples->setEnabled(!examples->isEmpty());
}

// The route of every keyed command, from the toolbar or from the menu. A
// command that fails here ends silently, as toolbar commands always have.
void frmMain::tbToolBar_ButtonClick(const QString& key) {
    try {
        bool opened = false;
        if (key == QLatin1String("New"))
            fileCommands_.newProgram();
        else if (key == QLatin1String("Open"))
            opened = mnuFileOpen_Click();
        else if (key == QLatin1String("Save"))
            mnuFileSave_Click();
        if (key == QLatin1String("New") || opened)
            announceModel();
        if (key != QLatin1String("Save"))
            focusEntryLine();
    } catch (const std::exception&) {
    }
}

bool frmMain::mnuFileOpen_Click() {
    return fileCommands_.mnuFileOpen_Click();
}

void frmMain::mnuFileProperties_Click() {
    services_.messages.show("There is no Properties associated with this project.",
                            windowTitle().toStdString(), state::MessageIcon::Information);
}

void frmMain::mnuFileClose_Click() {
    close();
}

void frmMain::mnuHelpContents_Click() {
    services_.messages.show("There is no Help Contents associated with this project.",
                            windowTitle().toStdString(), state::MessageIcon::Information);
}

// Modal over the main window: nothing else runs, and no run step falls, while
// it is open. It is created on first use and unloads itself when closed.
void frmMain::mnuHelpAbout_Click() {
    if (!about_)
        about_ = new frmAbout(services_.system, services_.messages, this);
    about_->exec();
}

} // namespace mirel::shell
