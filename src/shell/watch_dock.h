#pragma once

#include "debug/debugger.h"
#include "state/main_form.h"

#include <QDockWidget>

class QTableWidget;

namespace mirel::shell {

// The Watch window: the watched registers and bits with their values now
// and before the last step that wrote them, and the condition that stops a
// run. Add, Edit and Remove change the debugger's watches.
class WatchDock final : public QDockWidget {
    Q_OBJECT
public:
    WatchDock(debug::Debugger& debugger, state::MainForm& form, QWidget* parent);

    // A watch of the register line (no condition); false when the list is full.
    bool watchRegister(int reg);
    void addWatch();
    void editWatch();
    void removeWatch();
    // The values as the machine stands; after every change the debugger
    // tells while shown.
    void refresh();
    QTableWidget* table() const { return table_; }

    void zoom(double percent);
    int preferredWidth() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fullListTold();

    debug::Debugger& debugger_;
    state::MainForm& form_;
    QTableWidget* table_;
};

} // namespace mirel::shell
