// Open and Save from the File menu and the toolbar, with a fake file dialog.
#include "files/text_program_reader.h"
#include "shell/frm_main.h"
#include "test_services.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
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
        // A name that is not ASCII shows as the file system spells it.
        const std::string missing = w.path("missing-\xc3\xbc.txt");
        w.dialogs.answer = {missing, ProgramKind::Text};
        QCOMPARE(w.messageOf([&] { w.toolbar("Open"); }),
                 QString::fromUtf8("Cannot open " + missing + ": No such file or directory"));
        QCOMPARE(w.rows("Code"), before);
        QVERIFY(w.stepEnabled());

        w.dialogs.answer = {w.path("none/p"), ProgramKind::Text};
        const QString viaToolbar = w.messageOf([&] { w.toolbar("Save"); });
        QCOMPARE(viaToolbar, QString::fromStdString("Cannot save " + w.path("none/p.txt") +
                                                    ": No such file or directory"));
        QCOMPARE(w.messageOf([&] { w.menu("&Save"); }), viaToolbar);
    }

    void aChangedProgramIsGivenUpOnlyAsTheAnswerSays();

    // File > Examples lists the example programs by name and opens one as a
    // Mirel file, after the question a changed program asks, and the status
    // bar tells what it shows; the dialogs still start where they did.
    void examplesOpenAsMirelFiles() {
        test::Services s;
        frmMain window{s.services()};
        QMenu* examples = window.findChild<QMenu*>(QStringLiteral("mnuFileExamples"));
        QVERIFY(examples);
        QStringList names;
        for (QAction* item : examples->actions())
            names << item->text();
        QCOMPARE(names, (QStringList{"counter.mrl", "inputs.mrl", "running_light.mrl",
                                     "subroutine.mrl", "table.mrl", "timer_interrupt.mrl"}));

        window.tbToolBar_ButtonClick(QStringLiteral("New"));
        window.form().Code.append("0001\tNOP");
        s.messages.saveChanges = mirel::state::SaveChangesAnswer::Cancel;
        examples->actions().at(0)->trigger();
        QCOMPARE(window.form().Code.count(), 2);
        QCOMPARE(window.statusBar()->currentMessage(), QString());
        s.messages.saveChanges = mirel::state::SaveChangesAnswer::Discard;
        examples->actions().at(0)->trigger();
        QCOMPARE(window.statusBar()->currentMessage(),
                 QStringLiteral("Counts up on the port B lamps, one more each time round the "
                                "loop: after 11 steps PORTB reads 05 (RB0 and RB2 lit)."));
        QCOMPARE(window.statusBar()->toolTip(), window.statusBar()->currentMessage());
        QCOMPARE(s.messages.asked.size(), 2u);
        QVERIFY(s.messages.shown.empty());
        QVERIFY(window.form().Code.count() > 2);
        QVERIFY(window.form().Step.enabled());

        // Each example opens under the model it is written for, and says so
        // when that is a part or another than the one chosen; the choice kept
        // for the next start stays the user's.
        const struct {
            int example;
            mirel::parts::Model model;
            const char* said;
        } underModels[] = {
            {5, mirel::parts::Model::F84A,
             "Opened under the 16F84A's rules, which it is written for."},
            {0, mirel::parts::Model::Teaching,
             "Opened under the Teaching Model's rules, which it is written for."},
        };
        for (const auto& row : underModels) {
            examples->actions().at(row.example)->trigger();
            QCOMPARE(window.form().model, row.model);
            QVERIFY2(window.statusBar()->currentMessage().endsWith(QLatin1String(row.said)),
                     qPrintable(window.statusBar()->currentMessage()));
            const QString tick =
                QStringLiteral("mnuDebugDevice") + (row.model == mirel::parts::Model::F84A
                                                        ? QStringLiteral("16F84A")
                                                        : QStringLiteral("TeachingModel"));
            QVERIFY(window.findChild<QAction*>(tick)->isChecked());
        }
        QVERIFY(s.settings.value("Mirelsim", "Settings", "Device", "none") == "none");

        window.mnuFileOpen_Click();
        const std::string examplesFolder = s.dialogs.openAsked.at(0).folder;
        QVERIFY(QFile::exists(QString::fromStdString(examplesFolder + "/counter.mrl")));
        QVERIFY(s.settings.value("Mirelsim", "Settings", "LastFolder", "none") == "none");
    }
};

namespace {

enum class Change { None, Stepped, Typed, Mirel };
enum class Reply { SaveOk, SaveFails, SaveCancelled, Discard, Cancel };

// A window with a program of two typed lines, changed as `change` says
// since it was last saved (in `dir`/base.txt).
QPointer<frmMain> windowWith(test::Services& s, Change change, const QTemporaryDir& dir) {
    auto* window = new frmMain(s.services());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        qFatal("window not exposed");
    window->tbToolBar_ButtonClick(QStringLiteral("New"));
    auto* entry = window->findChild<QComboBox*>(QStringLiteral("Counter"))->lineEdit();
    const auto enter = [entry](const char* text) {
        entry->setFocus();
        entry->end(false);
        QTest::keyClicks(entry, QLatin1String(text));
        QTest::keyClick(entry->parentWidget(), Qt::Key_Return);
    };
    enter("NOP");
    enter("INC 0C");
    if (change != Change::Typed) {
        s.dialogs.answer = {dir.filePath(QStringLiteral("base.txt")).toStdString(),
                            ProgramKind::Text};
        window->mnuFileSave_Click();
    }
    const auto button = [window](const char* name) {
        return window->findChild<QPushButton*>(QLatin1String(name));
    };
    if (change == Change::Stepped) {
        window->debugger().reset();
        QTest::mouseClick(button("Step"), Qt::LeftButton);
        QTest::mouseClick(button("Step"), Qt::LeftButton);
        QTest::keyClick(window, Qt::Key_F7);
        QTest::keyClick(window, Qt::Key_R, Qt::ControlModifier);
    }
    if (change == Change::Mirel)
        QTest::mouseClick(button("Mirel"), Qt::LeftButton);
    s.messages.shown.clear();
    s.dialogs = {};
    return window;
}

} // namespace

// New, Open and Close give up a changed program only as the answer to the
// question says; steps, Step Back and Reset change no program.
void FileCommandsTest::aChangedProgramIsGivenUpOnlyAsTheAnswerSays() {
    QTemporaryDir dir;
    const std::string opened = dir.filePath(QStringLiteral("open.txt")).toStdString();
    const std::string openedBytes = "0000NOP\r\n0001INC 20\r\n0002NOP\r\n";
    QFile file(QString::fromStdString(opened));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(openedBytes.data(), static_cast<qint64>(openedBytes.size()));
    file.close();
    const std::vector<std::string> openedLines = mirel::files::readTextProgram(openedBytes);
    const std::string saved = dir.filePath(QStringLiteral("out")).toStdString();
    const std::string missing = dir.filePath(QStringLiteral("none/p")).toStdString();

    const struct {
        const char* command;
        Change change;
        Reply reply;
        bool asked, wentOn, saved;
    } rows[] = {
        {"New", Change::None, Reply::Cancel, false, true, false},
        {"Open", Change::None, Reply::Cancel, false, true, false},
        {"Close", Change::None, Reply::Cancel, false, true, false},
        {"New", Change::Stepped, Reply::Cancel, false, true, false},
        {"Open", Change::Stepped, Reply::Cancel, false, true, false},
        {"Close", Change::Stepped, Reply::Cancel, false, true, false},
        {"New", Change::Typed, Reply::SaveOk, true, true, true},
        {"New", Change::Typed, Reply::SaveFails, true, false, false},
        {"New", Change::Mirel, Reply::SaveCancelled, true, false, false},
        {"New", Change::Typed, Reply::Discard, true, true, false},
        {"New", Change::Mirel, Reply::Cancel, true, false, false},
        {"Open", Change::Mirel, Reply::SaveOk, true, true, true},
        {"Open", Change::Typed, Reply::SaveFails, true, false, false},
        {"Open", Change::Typed, Reply::SaveCancelled, true, false, false},
        {"Open", Change::Mirel, Reply::Discard, true, true, false},
        {"Open", Change::Typed, Reply::Cancel, true, false, false},
        {"Close", Change::Typed, Reply::SaveOk, true, true, true},
        {"Close", Change::Mirel, Reply::SaveFails, true, false, false},
        {"Close", Change::Typed, Reply::SaveCancelled, true, false, false},
        {"Close", Change::Typed, Reply::Discard, true, true, false},
        {"Close", Change::Mirel, Reply::Cancel, true, false, false},
    };
    for (const auto& row : rows) {
        const QByteArray what = QByteArray(row.command) + " after change " +
                                QByteArray::number(static_cast<int>(row.change)) + ", reply " +
                                QByteArray::number(static_cast<int>(row.reply));
        QFile::remove(QString::fromStdString(saved + ".txt"));
        test::Services s;
        QPointer<frmMain> window = windowWith(s, row.change, dir);
        const std::vector<std::string> program = window->form().Code.lines();

        using mirel::state::SaveChangesAnswer;
        s.messages.asked.clear();
        s.messages.saveChanges = row.reply == Reply::Discard  ? SaveChangesAnswer::Discard
                                 : row.reply == Reply::Cancel ? SaveChangesAnswer::Cancel
                                                              : SaveChangesAnswer::Save;
        if (row.reply == Reply::SaveOk)
            s.dialogs.queued.push_back({saved, ProgramKind::Text});
        if (row.reply == Reply::SaveFails)
            s.dialogs.queued.push_back({missing, ProgramKind::Text});
        if (row.reply == Reply::SaveCancelled)
            s.dialogs.queued.push_back({});
        s.dialogs.queued.push_back({opened, ProgramKind::Text});

        bool closed = false;
        if (QByteArray(row.command) == "Close")
            closed = window->close();
        else
            window->tbToolBar_ButtonClick(QLatin1String(row.command));

        const std::vector<test::Message> question = {
            {"Save changes to the program?", "Mirelsim", mirel::state::MessageIcon::None}};
        QVERIFY2(s.messages.asked == (row.asked ? question : std::vector<test::Message>{}), what);
        std::string savedText;
        for (const std::string& line : program)
            savedText += line + "\r\n";
        QFile out(QString::fromStdString(saved + ".txt"));
        QVERIFY2(out.exists() == row.saved, what);
        if (row.saved) {
            QVERIFY2(out.open(QIODevice::ReadOnly), what);
            QVERIFY2(out.readAll().toStdString() == savedText, what);
        }
        QVERIFY2(s.messages.shown.size() == (row.reply == Reply::SaveFails ? 1u : 0u), what);
        if (QByteArray(row.command) == "Close") {
            QVERIFY2(closed == row.wentOn, what);
        } else {
            const std::vector<std::string> after = window->form().Code.lines();
            const std::vector<std::string> fresh = {"0000\t"};
            const auto& done = QByteArray(row.command) == "New" ? fresh : openedLines;
            QVERIFY2(after == (row.wentOn ? done : program), what);
            QVERIFY2(s.dialogs.openAsked.size() ==
                         (row.wentOn && QByteArray(row.command) == "Open" ? 1u : 0u),
                     what);
            // What was opened or made new is unchanged again.
            if (row.wentOn) {
                s.messages.asked.clear();
                window->tbToolBar_ButtonClick(QStringLiteral("New"));
                QVERIFY2(s.messages.asked.empty(), what);
            }
        }
        delete window;
    }
}

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
