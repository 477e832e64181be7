#pragma once

#include "state/counter_model.h"
#include "state/main_form.h"

#include <QAbstractListModel>
#include <QObject>

#include <functional>
#include <string>

class QComboBox;

namespace mirel::shell {

// The entries of the program counter view. The core reads them from Code on
// demand, so the model only resets when the list is refilled. Only the
// binding creates one, and tells it when to follow the core.
class CounterListModel final : public QAbstractListModel, private state::CounterObserver {
    Q_OBJECT
public:
    CounterListModel(state::CounterModel& counter, QObject* parent = nullptr);
    ~CounterListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Off, the model stops hearing the core's refills; on again, it hears
    // them and resets once to the entries as they are now.
    void follow(bool on);

private:
    void entriesReset() override;

    state::CounterModel& counter_;
    int rows_;
    bool following_ = true;
};

// Connects the Counter combo box to the core: the entry line shows the core's
// edit text and caret, the user's typing goes back to it, Enter is the core's
// key press (through `enter` when given, which runs it as an edit that can be
// undone).
class CounterBinding final : public QObject, private state::CounterObserver {
    Q_OBJECT
public:
    CounterBinding(QComboBox& box, state::MainForm& form, std::function<void()> enter = {});
    ~CounterBinding() override;

    // While the box is hidden neither it nor its entries hear the core, which
    // then refills on every step without telling anyone; shown again, both
    // show the core's entries, line and caret as they are.
    void follow(bool on);

private:
    void entriesReset() override;
    void editChanged() override;
    void show();
    void pushEdit(std::string text, int caret);

    QComboBox& box_;
    state::MainForm& form_;
    CounterListModel* entries_;
    std::function<void()> enter_;
    bool showing_ = false;
    bool pushing_ = false;
    bool following_ = true;
};

} // namespace mirel::shell
