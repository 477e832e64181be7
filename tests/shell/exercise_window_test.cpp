#include "exercise/exercise_reader.h"
#include "files/open_program.h"
#include "shell/examples_folder.h"
#include "shell/exercise_dock.h"
#include "shell/frm_main.h"
#include "state/hex_text.h"
#include "test_services.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using mirel::shell::frmMain;

namespace {

// Two checks the learner sees and one only the batch grades; the task's
// lines wrap as the file's width had it.
constexpr const char* addTwoNumbers = "title: Add two numbers\n"
                                      "model: Teaching Model\n"
                                      "task: Add 17 and 25 and leave the sum\n"
                                      "task: in register 22. Then:\n"
                                      "task: - end with a line that jumps to itself.\n"
                                      "task:\n"
                                      "task: Good luck.\n"
                                      "steps: 100\n"
                                      "until: halted\n"
                                      "check: 22 = 3C | The sum belongs in register 22.\n"
                                      "check: halted | End with a line that jumps to itself.\n"
                                      "hidden check: W = 3C | W still holds the sum.\n";

std::string writeFile(const QTemporaryDir& dir, const char* name, const char* text) {
    const QString path = dir.filePath(QLatin1String(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0)
        qFatal("cannot write %s", qPrintable(path));
    return QFile::encodeName(path).toStdString();
}

// A shown main window with a program loaded into it.
struct Window {
    test::Services services;
    frmMain window{services.services()};

    explicit Window(const std::vector<std::string>& program) {
        std::vector<std::string> lines = test::numbered(program);
        mirel::state::NoWindowPlacement placement;
        mirel::files::loadProgram(window.form(), placement, std::move(lines));
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("window not exposed");
        window.activateWindow();
    }
    QAction* action(const char* name) { return window.findChild<QAction*>(QLatin1String(name)); }
    QString text(const char* label) {
        return window.findChild<QLabel*>(QLatin1String(label))->text();
    }
    void openExercise(const std::string& path) {
        services.dialogs.answer = {path, mirel::files::ProgramKind::Hex};
        action("mnuFileOpenExercise")->trigger();
    }
    // The checks the Exercise window lists, each as its accessible name.
    QStringList rows() {
        QStringList rows;
        for (int i = 0;
             auto* row = window.findChild<QWidget*>(QStringLiteral("ExerciseCheck(%1)").arg(i));
             ++i)
            rows << row->findChild<QLabel*>(QStringLiteral("ExerciseCheckText"))->accessibleName();
        return rows;
    }
    // What the learner sees of the machine: the lists with their selections,
    // W, the counts, and whether Step Back has something to go back to.
    QStringList machine() {
        QApplication::processEvents();
        QStringList shown;
        for (const char* name : {"Reg", "Code", "SPReg"}) {
            auto* view = window.findChild<QListView*>(QLatin1String(name));
            for (const QModelIndex& row : view->selectionModel()->selectedIndexes())
                shown << QStringLiteral("%1 selected %2").arg(QLatin1String(name)).arg(row.row());
            for (int row = 0; row < view->model()->rowCount(); ++row)
                shown << view->model()->index(row, 0).data().toString();
        }
        shown << window.findChild<QLineEdit*>(QStringLiteral("W"))->text() << text("DebugCounts")
              << QString::number(action("mnuDebugStepBack")->isEnabled());
        return shown;
    }
};

} // namespace

class ExerciseWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Open Exercise starts in the exercises folder; a damaged file is refused
    // with the reader's own words and leaves the exercise open before, whose
    // text follows the window's zoom. The window makes room for the dock and
    // gives it back for the next start.
    void openExerciseShowsTheTaskAndRefusesADamagedFile() {
        QTemporaryDir dir;
        const std::string good = writeFile(dir, "add.mrx", addTwoNumbers);
        const std::string bad = writeFile(dir, "bad.mrx", "title: Broken\nsteps: many\n");
        Window w({"NOP"});
        auto* dock = w.window.exerciseDock();
        QVERIFY(!dock->isVisible());
        QVERIFY(!w.action("mnuDebugCheckExercise")->isEnabled());

        const QWidget* layout = w.window.findChild<QWidget*>(QStringLiteral("scrollArea"));
        const QSize room = layout->size();
        const QSize opened = w.window.size();
        w.openExercise(good);
        QCOMPARE(w.services.dialogs.openAsked.size(), 1u);
        QCOMPARE(w.services.dialogs.openAsked[0].filter, std::string("Exercises (*.mrx)|*.mrx"));
        QCOMPARE(w.services.dialogs.openAsked[0].folder, mirel::shell::exercisesFolder());
        QVERIFY(dock->isVisible());
        QCOMPARE(w.text("ExerciseTitle"), QStringLiteral("Add two numbers"));
        QCOMPARE(w.text("ExerciseTask"),
                 QStringLiteral("Add 17 and 25 and leave the sum in register 22. Then:\n"
                                "- end with a line that jumps to itself.\n\nGood luck."));
        QVERIFY(w.action("mnuDebugCheckExercise")->isEnabled());
        // The controls keep their room: the window widened by the dock's.
        QApplication::processEvents();
        QCOMPARE(layout->size(), room);

        std::string error;
        QVERIFY(!mirel::exercise::readExerciseFile(bad, error));
        w.openExercise(bad);
        QCOMPARE(w.services.messages.shown.size(), 1u);
        QCOMPARE(w.services.messages.shown[0].text, error);
        QCOMPARE(w.text("ExerciseTitle"), QStringLiteral("Add two numbers"));
        QVERIFY(w.action("mnuDebugCheckExercise")->isEnabled());
        // The next dialog starts where the last exercise was chosen.
        QCOMPARE(w.services.dialogs.openAsked.back().folder,
                 QFile::encodeName(dir.path()).toStdString());

        auto* task = w.window.findChild<QLabel*>(QStringLiteral("ExerciseTask"));
        const double atActual = task->font().pointSizeF() * 100.0 / w.window.shownZoom();
        w.window.setZoom(150);
        QCOMPARE(task->font().pointSizeF(), atActual * w.window.shownZoom() / 100.0);

        // The next start opens as the window was before the dock widened it.
        w.window.setZoom(100);
        w.window.close();
        frmMain next{w.services.services()};
        next.show();
        QVERIFY(QTest::qWaitForWindowExposed(&next));
        QCOMPARE(next.size(), opened);
        QVERIFY(!next.exerciseDock()->isVisible());
    }

    // Check Exercise (F8) grades a copy of the program: the learner's machine
    // stepped halfway, its selection and Step Back stay as they were. The
    // verdict is the grade's, hidden checks included; the rows leave them out.
    void checkExerciseGradesACopyAndLeavesTheMachineAlone() {
        QTemporaryDir dir;
        const std::string path = writeFile(dir, "add.mrx", addTwoNumbers);
        const struct {
            std::vector<std::string> program;
            QString verdict;
            QStringList rows;
            QString hiddenFailure;
        } cases[] = {
            {{"LDA\t17 H", "ADD\t25 H", "STA\t22", "JMP\t0003"},
             QStringLiteral("Passed: 3 of 3 checks"),
             {QStringLiteral("Passed: 22 = 3C, expected 3C, got 3C"),
              QStringLiteral("Passed: halted, expected waits, got waits at 0003"),
              QStringLiteral("Passed: no messages, expected none, got 0 messages")},
             {}},
            {{"LDA\t17 H", "STA\t22", "JMP\t0002"},
             QStringLiteral("Failed: 2 of 3 checks"),
             {QStringLiteral(
                  "Failed: 22 = 3C, expected 3C, got 17, The sum belongs in register 22."),
              QStringLiteral("Passed: halted, expected waits, got waits at 0002"),
              QStringLiteral("Passed: no messages, expected none, got 0 messages")},
             {}},
            // Only the hidden check fails: the verdict still says so.
            {{"LDA\t17 H", "ADD\t25 H", "STA\t22", "LDA\t00 H", "JMP\t0004"},
             QStringLiteral("Failed: 3 of 3 checks"),
             {QStringLiteral("Passed: 22 = 3C, expected 3C, got 3C"),
              QStringLiteral("Passed: halted, expected waits, got waits at 0004"),
              QStringLiteral("Passed: no messages, expected none, got 0 messages")},
             QStringLiteral("One of the exercise's hidden checks failed.")},
        };
        for (const auto& c : cases) {
            Window w(c.program);
            w.openExercise(path);
            auto* step = w.window.findChild<QPushButton*>(QStringLiteral("Step"));
            QTest::mouseClick(step, Qt::LeftButton);
            QTest::mouseClick(step, Qt::LeftButton);
            const QStringList before = w.machine();
            QVERIFY(w.action("mnuDebugStepBack")->isEnabled());

            QTest::keyClick(&w.window, Qt::Key_F8);
            QCOMPARE(w.text("ExerciseVerdict"), c.verdict);
            QCOMPARE(w.rows(), c.rows);
            auto* hidden = w.window.findChild<QLabel*>(QStringLiteral("ExerciseHiddenFailure"));
            QCOMPARE(hidden->isVisible() ? hidden->text() : QString(), c.hiddenFailure);
            QCOMPARE(w.machine(), before);
            QVERIFY(w.services.messages.shown.empty());
        }
    }
};

QTEST_MAIN(ExerciseWindowTest)
#include "exercise_window_test.moc"
