#pragma once

#include "exercise/exercise.h"
#include "grade_report.h"

#include <QDockWidget>

class QLabel;
class QVBoxLayout;

namespace mirel::shell {

// The Exercise window beside the main window's controls: the exercise's
// title and task, and under them what the last Check Exercise found.
class ExerciseDock final : public QDockWidget {
    Q_OBJECT
public:
    explicit ExerciseDock(QWidget* parent);

    // A new exercise: its text, and no grade yet.
    void showExercise(const exercise::Exercise& exercise);
    void showGrade(const GradeReport& report);
    // Its text at the main window's zoom.
    void zoom(double percent);
    // Room it asks for beside the controls, across or down as it is docked.
    int preferredWidth() const;
    int preferredHeight() const;

private:
    void clearRows();

    QLabel* title_;
    QLabel* model_;
    QLabel* task_;
    QLabel* verdict_;
    QVBoxLayout* rows_;
    QLabel* hiddenFailure_;
    QLabel* messages_;
};

} // namespace mirel::shell
