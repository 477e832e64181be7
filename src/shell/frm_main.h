#pragma once

#include "control_bindings.h"
#include "debug/debugger.h"
#include "edit/program_editor.h"
#include "elapsed_clock.h"
#include "exercise/exercise.h"
#include "files/file_commands.h"
#include "frm_about.h"
#include "frm_instruction_set.h"
#include "run_timer.h"
#include "sim/run_control.h"
#include "sim/run_messages.h"
#include "sim/simulator.h"
#include "state/main_form.h"
#include "window_placement.h"
#include "window_services.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

class QDockWidget;
class QListView;
class QMenu;
class QToolBar;

namespace mirel::shell {

class ExerciseDock;
class StatisticsDialog;
class TimelineDock;
class WatchDock;

// The status bar's word before the first program.
inline constexpr const char* firstStepsMessage =
    "To begin, press New (Ctrl+N) for an empty program, or open one with File > Examples "
    "or File > Open.";

// The main window: shows every control model of the machine and forwards the
// user's clicks and keys to the core. The widgets hold no machine state.
class frmMain final : public QMainWindow {
    Q_OBJECT
public:
    // With the program's own services: message boxes, the user's settings, no registry.
    explicit frmMain(QWidget* parent = nullptr);
    explicit frmMain(const WindowServices& services, QWidget* parent = nullptr);
    ~frmMain() override;

    state::MainForm& form() { return form_; }
    RunTimer& runTimer() { return runTimer_; }
    debug::Debugger& debugger() { return debugger_; }
    edit::ProgramEditor& editor() { return editor_; }

    // The toolbar's buttons, by key: "New", "Open", "Save".
    void tbToolBar_ButtonClick(const QString& key);
    bool mnuFileOpen_Click();
    void mnuFileSave_Click();
    // File > Examples: opens the example program of that path.
    void mnuFileExample_Click(const std::string& path);
    void mnuFileProperties_Click();
    void mnuFileClose_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();
    // Help > Instruction Set: the reference window, beside the main window.
    void mnuHelpInstructionSet_Click();
    // The Debug menu: on the selected program line, a run at full speed,
    // Reset, Step Back.
    void mnuDebugBreakpoint_Click();
    void mnuDebugFullSpeed_Click();
    void mnuDebugReset_Click();
    void mnuDebugStepBack_Click();
    // File > Open Exercise: reads an exercise file and shows its task in the
    // Exercise window; a bad file leaves the exercise open before.
    void mnuFileOpenExercise_Click();
    // Debug > Check Exercise: grades a copy of the program on a fresh
    // machine; the learner's machine and its history stay as they are.
    void mnuDebugCheckExercise_Click();

    // The layout's zoom in percent; View > Zoom In, Zoom Out and Actual Size
    // step it, and the settings keep it.
    int zoom() const { return zoom_; }
    void setZoom(int percent);
    // The zoom the layout is shown at: the zoom, or more where the window is
    // larger and the layout fills it.
    double shownZoom() const { return shownZoom_; }

    // The Exercise window; hidden until an exercise is opened.
    ExerciseDock* exerciseDock() const { return exerciseDock_; }

    // The Timeline and Watch windows, hidden until asked for.
    TimelineDock* timelineDock() const { return timelineDock_; }
    WatchDock* watchDock() const { return watchDock_; }

    // The About dialog while it is loaded, else null.
    frmAbout* about() const { return about_; }
    // The Instruction Set window once it was opened, else null.
    frmInstructionSet* instructionSet() const { return instructionSet_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    frmMain(std::unique_ptr<QtServices> own, const WindowServices* services, QWidget* parent);

    void Form_Unload();
    // The client size that shows the whole layout at a zoom: controls, menu
    // bar, toolbar and status bar.
    QSize layoutClientSize(double percent) const;
    // While the window opens, the zoom steps down until the layout fits
    // `freeClient`; returns the client size the layout needs.
    QSize fitLayout(QSize freeClient);
    // The layout at the zoom, or larger to fill the window's client area.
    void fillWindow();
    void showZoom(double percent);

    // Menus and toolbar, built once from shared commands.
    void buildCommands();
    void buildExamplesMenu(QMenu* file);
    // The Debug menu, its toolbar, the status bar and the debugger's marks
    // in the lists; after the controls, which they mark.
    void buildDebugCommands();
    // Debug > Device and the status bar's word on the rules in effect.
    void buildDeviceCommands(QMenu* debugMenu);
    void chooseDevice(parts::Model model);
    void showDevice();
    // The model an example is written for, from its note.
    parts::Model exampleModel(const std::string& note) const;
    // The next-step area names a part's rules after New or Open.
    void announceModel();
    // Before the first program: how to begin.
    void showFirstSteps();
    void showDebugger();
    void showFirstChange();
    // Step, Start, Stop, Faster and Slower in the Debug menu, with keys.
    void buildRunCommands();
    // The View menu with the zoom, which it restores from the settings.
    void buildViewCommands();
    // Help > Instruction Set, and the register names in the register list's tooltips.
    void buildReferenceCommands();
    // The Instruction Set window's place: where it was last, else beside us.
    void placeInstructionSet();
    void keepInstructionSetPlace();
    // The Edit menu: Undo and Redo of program edits, Insert Line and Delete
    // Line, also by key in the program list.
    void buildEditCommands();
    void showEditCommands();
    // File > Open Exercise, Debug > Check Exercise and the Exercise window.
    void buildExerciseCommands();
    void showExerciseDock();
    // The room the docked windows (Exercise, Timeline, Watch) take beside the layout.
    QSize dockedRoom() const;
    // View > Timeline, Debug > Watch and Statistics, the stopwatch in the status bar.
    void buildTimelineCommands();
    void watchRegisterLine(int line);
    void showDockWithRoom(QDockWidget* dock, int room);
    // Keyboard focus and caret to the end of the entry line, when it is shown.
    void focusEntryLine();
    bool fullSpeedPossible() const;
    QWidget* buildControls();
    QListView* buildList(QWidget* parent, const char* name, state::TextList& list);
    // The line under the entry line that explains the next step.
    void buildNextStepLabel(QWidget* parent, const QRect& where);
    void buildFlagReg(QWidget* parent);
    void buildPort(QWidget* parent, const char* frame, int top, const char* pin,
                   std::array<state::LampModel, 8>& lamps,
                   std::array<state::CheckBoxModel, 8>& inputs);
    void buildButtons(QWidget* parent);

    std::unique_ptr<QtServices> ownServices_; // only when no services were given
    WindowServices services_;
    state::MainForm form_;
    QtWindowPlacement placement_;
    // During a run a step's message box offers Stop.
    sim::RunMessages runMessages_{form_, services_.messages};
    sim::Simulator simulator_{form_, runMessages_};
    QtElapsedClock runClock_;
    sim::RunControl run_{form_, simulator_, runMessages_, runClock_};
    RunTimer runTimer_{form_.Timer1, run_};
    debug::Debugger debugger_{form_, simulator_, &run_};
    edit::ProgramEditor editor_{form_, debugger_};
    QTimer statusTimer_; // the counts during a run, a few times a second
    files::DialogStart dialogStart_;
    files::FileCommands fileCommands_{form_, placement_, services_.dialogs, services_.messages,
                                      &dialogStart_};
    QToolBar* toolBar_ = nullptr;
    QWidget* controls_ = nullptr;
    int zoom_ = 100;
    double shownZoom_ = 100;
    bool opening_ = true; // until the window was first shown
    QPointer<frmAbout> about_;
    QPointer<frmInstructionSet> instructionSet_;
    ExerciseDock* exerciseDock_ = nullptr;
    std::optional<exercise::Exercise> exercise_; // the one Check Exercise grades by
    std::string exerciseFolder_;                 // where the last exercise was chosen
    TimelineDock* timelineDock_ = nullptr;
    WatchDock* watchDock_ = nullptr;
    QPointer<StatisticsDialog> statistics_;
};

} // namespace mirel::shell
