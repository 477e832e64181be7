#pragma once

#include <QWidget>

class QLineEdit;
class QTableWidget;

namespace mirel::shell {

// The instruction set as this simulator executes it: every form of the
// instruction table with what it does, its flags, cycles and word, and a
// filter box. A window of its own beside the main window, never modal.
class frmInstructionSet final : public QWidget {
    Q_OBJECT
public:
    explicit frmInstructionSet(QWidget* parent = nullptr);

    QLineEdit* filter() const { return filter_; }
    QTableWidget* table() const { return table_; }
    // The rows the filter leaves shown, by mnemonic.
    QStringList shownMnemonics() const;

private:
    void applyFilter(const QString& text);

    QLineEdit* filter_;
    QTableWidget* table_;
};

} // namespace mirel::shell
