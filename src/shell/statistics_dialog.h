#pragma once

#include "debug/debugger.h"
#include "state/main_form.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace mirel::shell {

// Debug > Statistics: the steps Step Back reaches counted: steps,
// instructions, cycles, time and cycles per instruction, and each mnemonic's
// runs and cycles. It follows the history with a trace of its own while open.
class StatisticsDialog final : public QDialog {
    Q_OBJECT
public:
    StatisticsDialog(debug::Debugger& debugger, state::MainForm& form, QWidget* parent);

    // Counts the history as it stands; after every change the debugger
    // tells while open.
    void refresh();
    QString summary() const;
    QTableWidget* table() const { return table_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    debug::Debugger& debugger_;
    state::MainForm& form_;
    debug::HistoryTrace history_;
    QLabel* reach_;
    QLabel* counts_;
    QTableWidget* table_;
};

} // namespace mirel::shell
