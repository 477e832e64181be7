// File > Open Exercise and Debug > Check Exercise: an exercise's task beside
// the controls, and the grade of the program as it stands. Grading runs on a
// machine of its own; the learner's machine never sees it.
#include "examples_folder.h"
#include "exercise/exercise_reader.h"
#include "exercise/grading.h"
#include "exercise_dock.h"
#include "frm_main.h"
#include "grade_report.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <exception>
#include <map>

namespace mirel::shell {

namespace {
constexpr const char* exerciseFilter = "Exercises (*.mrx)|*.mrx";

// The wait cursor for as long as a check runs: a long step limit takes a moment.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
} // namespace

void frmMain::buildExerciseCommands() {
    auto* open = new QAction(QStringLiteral("Open &Exercise..."), this);
    open->setObjectName(QStringLiteral("mnuFileOpenExercise"));
    open->setToolTip(QStringLiteral("Open an exercise: its task, and the checks that grade the "
                                    "program"));
    connect(open, &QAction::triggered, this, &frmMain::mnuFileOpenExercise_Click);
    auto* file = findChild<QMenu*>(QStringLiteral("mnuFile"));
    file->insertAction(findChild<QMenu*>(QStringLiteral("mnuFileExamples"))->menuAction(), open);

    const QKeySequence key(Qt::Key_F8);
    auto* check = new QAction(QStringLiteral("&Check Exercise"), this);
    check->setObjectName(QStringLiteral("mnuDebugCheckExercise"));
    check->setShortcut(key);
    check->setToolTip(QStringLiteral("Check the program against the exercise (") +
                      key.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    // Possible once an exercise is open.
    check->setEnabled(false);
    connect(check, &QAction::triggered, this, &frmMain::mnuDebugCheckExercise_Click);
    auto* debugMenu = findChild<QMenu*>(QStringLiteral("mnuDebug"));
    debugMenu->addSeparator();
    debugMenu->addAction(check);
    addAction(check);

    exerciseDock_ = new ExerciseDock(this);
    addDockWidget(Qt::RightDockWidgetArea, exerciseDock_);
    exerciseDock_->hide();
    exerciseDock_->zoom(shownZoom_);
}

void frmMain::mnuFileOpenExercise_Click() {
    files::FileDialogRequest request;
    request.title = "Open Exercise";
    request.filter = exerciseFilter;
    request.folder = exerciseFolder_.empty() ? exercisesFolder() : exerciseFolder_;
    const files::FileDialogAnswer answer = services_.dialogs.open(request);
    if (answer.fileName.empty())
        return;
    const QString chosen = QFile::decodeName(QByteArray::fromStdString(answer.fileName));
    exerciseFolder_ = QFile::encodeName(QFileInfo(chosen).absolutePath()).toStdString();

    std::string error;
    std::optional<exercise::Exercise> read;
    try {
        read = exercise::readExerciseFile(answer.fileName, error);
    } catch (const std::exception& fault) {
        error = answer.fileName + ": " + fault.what();
    }
    if (!read) {
        services_.messages.show(error, windowTitle().toStdString(),
                                state::MessageIcon::Exclamation);
        return;
    }
    exercise_ = std::move(read);
    exerciseDock_->showExercise(*exercise_);
    showExerciseDock();
    findChild<QAction*>(QStringLiteral("mnuDebugCheckExercise"))->setEnabled(true);
}

void frmMain::mnuDebugCheckExercise_Click() {
    if (!exercise_)
        return;
    GradeReport report;
    try {
        const WaitCursor waiting;
        // A copy of the lines: the run has a machine of its own.
        report = reportGrade(exercise::gradeLines(*exercise_, form_.Code.lines()));
    } catch (const std::exception& fault) {
        services_.messages.show(std::string("The program could not be checked: ") + fault.what(),
                                windowTitle().toStdString(), state::MessageIcon::Exclamation);
        return;
    }
    exerciseDock_->showGrade(report);
    showExerciseDock();
}

// A hidden window comes back; a docked one widens (or deepens) the main
// window by its room, so that the controls keep their size.
void frmMain::showExerciseDock() {
    if (exerciseDock_->isVisible()) {
        exerciseDock_->raise();
        return;
    }
    exerciseDock_->show();
    if (!isVisible() || isMaximized() || isFullScreen() || exerciseDock_->isFloating())
        return;
    const bool across = dockWidgetArea(exerciseDock_) != Qt::BottomDockWidgetArea;
    const int room = across ? exerciseDock_->preferredWidth() : exerciseDock_->preferredHeight();
    const int separator = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
    QSize wanted =
        across ? size() + QSize(room + separator, 0) : size() + QSize(0, room + separator);
    if (const QScreen* where = screen())
        wanted = wanted.boundedTo(where->availableGeometry().size() -
                                  (frameGeometry().size() - geometry().size()));
    resize(wanted);
    resizeDocks({exerciseDock_}, {room}, across ? Qt::Horizontal : Qt::Vertical);
}

// In each dock area the deepest of the windows shown there: those stacked
// in one area share its room.
QSize frmMain::dockedRoom() const {
    const int separator = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
    std::map<Qt::DockWidgetArea, int> deepest;
    for (QDockWidget* dock : findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly)) {
        if (dock->isHidden() || dock->isFloating())
            continue;
        const Qt::DockWidgetArea area = dockWidgetArea(dock);
        const bool across = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
        int& room = deepest[area];
        room = std::max(room, (across ? dock->width() : dock->height()) + separator);
    }
    QSize room(0, 0);
    for (const auto& [area, depth] : deepest) {
        if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea)
            room.rwidth() += depth;
        else
            room.rheight() += depth;
    }
    return room;
}

} // namespace mirel::shell
