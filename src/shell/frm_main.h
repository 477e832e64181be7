#pragma once

#include "control_bindings.h"
#include "elapsed_clock.h"
#include "files/file_commands.h"
#include "qt_platform.h"
#include "run_timer.h"
#include "sim/run_control.h"
#include "sim/run_messages.h"
#include "sim/simulator.h"
#include "state/main_form.h"

#include <QMainWindow>

#include <memory>

class QListView;

namespace mirel::shell {

// The main window: shows every control model of the machine and forwards the
// user's clicks and keys to the core. The widgets hold no machine state.
class frmMain final : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    // With another file dialog than the platform's, as the tests use.
    explicit frmMain(files::FileDialogService& dialogs, QWidget* parent = nullptr);
    ~frmMain() override;

    state::MainForm& form() { return form_; }
    RunTimer& runTimer() { return runTimer_; }

    // The toolbar's buttons, by key.
    void tbToolBar_ButtonClick(const QString& key);
    void mnuFileOpen_Click();
    void mnuFileSave_Click();

private:
    frmMain(files::FileDialogService* dialogs, QWidget* parent);
    void buildToolBar();
    QWidget* buildControls();
    QListView* buildList(QWidget* parent, const char* name, state::TextList& list);
    void buildFlagReg(QWidget* parent);
    void buildPort(QWidget* parent, const char* frame, int top, const char* pin,
                   std::array<state::LampModel, 8>& lamps,
                   std::array<state::CheckBoxModel, 8>& inputs);
    void buildButtons(QWidget* parent);

    state::MainForm form_;
    QtMessageBox messages_{this};
    QtWindowPlacement placement_{*this};
    // During a run a step's message box offers Stop.
    sim::RunMessages runMessages_{form_, messages_};
    sim::Simulator simulator_{form_, runMessages_};
    QtElapsedClock runClock_;
    sim::RunControl run_{form_, simulator_, runMessages_, runClock_};
    RunTimer runTimer_{form_.Timer1, run_};
    std::unique_ptr<files::FileDialogService> platformDialogs_;
    files::FileCommands fileCommands_;
};

} // namespace mirel::shell
