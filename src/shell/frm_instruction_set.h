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
    // Its text at the main window's zoom, in percent.
    void setZoom(double percent);
    // The size it opens with at 100%.
    static QSize actualSize() { return {980, 640}; }

signals:
    // Closed or hidden: its place may be kept.
    void hidden();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void applyFilter(const QString& text);

    QLineEdit* filter_;
    QTableWidget* table_;
    double zoom_ = 100;
};

} // namespace mirel::shell
