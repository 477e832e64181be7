#pragma once

#include "debug/debugger.h"
#include "files/file_dialog.h"
#include "state/main_form.h"
#include "state/platform.h"

#include <QDockWidget>

#include <memory>
#include <string>

namespace mirel::shell {

class TimelineView;

// The Timeline window under the controls: the machine's pins, W and the
// registers the user added, over the steps Step Back reaches; a click in it
// takes the machine to that step. It follows the history only while shown.
class TimelineDock final : public QDockWidget {
    Q_OBJECT
public:
    TimelineDock(debug::Debugger& debugger, state::MainForm& form,
                 files::FileDialogService& dialogs, state::MessageBoxService& messages,
                 QWidget* parent);
    ~TimelineDock() override;

    // Brings the trace up to the history, when shown and no run is going;
    // after every change the debugger tells.
    void follow();
    const timeline::StepTrace& trace() const;
    TimelineView* view() const { return view_; }

    // Adds a register's byte lane by address or name ("20", "TMR0"); false
    // with the reason when the text names none or it is shown already.
    bool addRegister(const std::string& text, std::string& error);
    // Removes the lanes of a trace column.
    void removeColumn(int column);
    // Asks for a register and adds it; a wrong one is told.
    void askForRegister();
    void exportVcd();
    void exportCsv();

    // Its text at the main window's zoom.
    void zoom(double percent);
    int preferredHeight() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void useColumns(std::vector<timeline::TraceColumn> columns);
    void showLaneMenu(int column, const QPoint& where);
    // The trace as `write` puts it, saved safely to a file the user picks.
    void exportTrace(const char* title, const char* filter, const char* fileName,
                     const std::function<void(std::ostream&)>& write);
    void tell(const std::string& text);

    debug::Debugger& debugger_;
    state::MainForm& form_;
    files::FileDialogService& dialogs_;
    state::MessageBoxService& messages_;
    std::unique_ptr<debug::HistoryTrace> history_;
    TimelineView* view_;
    bool following_ = false; // inside follow(): the history's replay tells us again
};

} // namespace mirel::shell
