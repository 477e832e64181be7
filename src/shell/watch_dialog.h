#pragma once

#include "debug/watches.h"
#include "parts/model.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace mirel::shell {

// Add or Edit a watch: the register by address or name with an optional
// bit ("PORTB.3"), the condition that stops a run, and its value where it
// needs one. OK keeps the dialog open while the fields name no watch, and
// says why under them.
class WatchDialog final : public QDialog {
    Q_OBJECT
public:
    WatchDialog(parts::Model model, int registerLines, QWidget* parent);
    // The fields as an existing watch has them.
    void showWatch(const debug::Watch& watch);
    // The watch the fields name, once accepted.
    const std::optional<debug::Watch>& watch() const { return watch_; }

    void accept() override;

private:
    void conditionChanged();

    parts::Model model_;
    int registerLines_;
    QLineEdit* register_;
    QComboBox* condition_;
    QLabel* valueLabel_;
    QLineEdit* value_;
    QLabel* problem_;
    std::optional<debug::Watch> watch_;
};

} // namespace mirel::shell
