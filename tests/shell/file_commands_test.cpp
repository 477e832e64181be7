// Open and Save from the File menu and the toolbar, with a fake file dialog.
#include "shell/frm_main.h"
#include "test_services.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QListView>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

using mirel::files::FakeFileDialogs;
using mirel::files::ProgramKind;
using mirel::shell::frmMain;

namespace {

struct Window {
    // Real message boxes, so that a test sees and closes them as a user would.
    test::Services services;
    mirel::shell::QtMessageBox boxes{nullptr};
    FakeFileDialogs& dialogs = services.dialogs;
    frmMain window{{boxes, services.settings, services.system, services.dialogs}};
    QTemporaryDir dir;

    Window() {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("window not exposed");
    }
    std::string path(const char* name) { return dir.filePath(QLatin1String(name)).toStdString(); }
    QStringList rows(const char* name) {
        QStringList out;
        const QAbstractItemModel* model =
            window.findChild<QListView*>(QLatin1String(name))->model();
        for (int r = 0; r < model->rowCount(); ++r)
            out << model->index(r, 0).data().toString();
        return out;
    }
    bool stepEnabled() {
        return window.findChild<QPushButton*>(QStringLiteral("Step"))->isEnabled();
    }
    void menu(const char* caption) {
        for (QAction* item : window.menuBar()->actions().first()->menu()->actions())
            if (item->text() == QLatin1String(caption))
                return item->trigger();
        qFatal("no menu item %s", caption);
    }
    void toolbar(const char* key) {
        auto* bar = window.findChild<QToolBar*>(QStringLiteral("tbToolBar"));
        for (QAction* action : bar->actions())
            if (action->data().toString() == QLatin1String(key))
                return QTest::mouseClick(bar->widgetForAction(action), Qt::LeftButton);
        qFatal("no toolbar button %s", key);
    }
    // Runs a command that shows a message box, closes the box, returns its text.
    template <typename Command> QString messageOf(Command command) {
        QString text;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                box->accept();
            }
        });
        closer.start(10);
        command();
        return text;
    }
};

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void menuOpenLoadsTheFileAndCancelChangesNothing() {
        Window w;
        w.toolbar("New");
        w.dialogs.answer = {};
        w.menu("&Open...");
        QCOMPARE(w.rows("Code"), QStringList{QStringLiteral("0000\t")});
        QCOMPARE(w.rows("Reg").size(), 513);
        QVERIFY(w.stepEnabled());

        QFile file(QString::fromStdString(w.path("p.hex")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(":040000008316000063\r\n");
        file.close();
        w.dialogs.answer = {w.path("p.hex"), ProgramKind::Hex};
        w.menu("&Open...");
        QCOMPARE(w.rows("Code"),
                 (QStringList{QStringLiteral("0000\tSET\t03,5"), QStringLiteral("0001\tNOP")}));
        QVERIFY(w.stepEnabled());
    }

    void toolbarSavesAndReportsFailuresAsTheMenuDoes() {
        Window w;
        w.toolbar("New");
        w.window.form().Code.assign({"0000\tSET\t03,5", "0001\tNOP"});
        w.dialogs.answer = {w.path("prog"), ProgramKind::Hex};
        w.toolbar("Save");
        QFile saved(QString::fromStdString(w.path("prog.hex")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray(":040000008316000063\r\n"));

        const QStringList before = w.rows("Code");
        w.dialogs.answer = {w.path("missing.txt"), ProgramKind::Text};
        QCOMPARE(w.messageOf([&] { w.toolbar("Open"); }),
                 QString::fromStdString("Cannot open " + w.path("missing.txt") +
                                        ": No such file or directory"));
        QCOMPARE(w.rows("Code"), before);
        QVERIFY(w.stepEnabled());

        w.dialogs.answer = {w.path("none/p"), ProgramKind::Text};
        const QString viaToolbar = w.messageOf([&] { w.toolbar("Save"); });
        QCOMPARE(viaToolbar, QString::fromStdString("Cannot save " + w.path("none/p.txt") +
                                                    ": No such file or directory"));
        QCOMPARE(w.messageOf([&] { w.menu("&Save"); }), viaToolbar);
    }
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
