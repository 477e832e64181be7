#pragma once

#include "state/text_list.h"

#include <QObject>

#include <functional>

class QListView;
class QItemSelection;

namespace mirel::shell {

class TextListModel;

// Keeps a list view's highlighted row and the core list's selection the same.
// A user's click selects the line in the core, which runs that list's click
// action; a selection made by the logic moves the highlight and scrolls to it.
// It lives and dies with the list model, which the view owns.
class ListSelectionSync final : public QObject, private state::TextListObserver {
    Q_OBJECT
public:
    // `clickedAgain` runs when the user clicks the line that is already
    // selected: the core hears no new selection, but a click is still a click.
    ListSelectionSync(QListView& view, TextListModel& model,
                      std::function<void()> clickedAgain = {});
    ~ListSelectionSync() override;

    // While the view is hidden the highlight stays; shown again, it moves to
    // the core's selection.
    void follow(bool on);

private:
    void selectionChanged(int selected) override;
    void selectionShifted(int selected) override;
    void linesReset() override;
    void showSelection(int selected);
    void viewSelectionChanged();
    void viewClicked(const QModelIndex& index);

    QListView& view_;
    TextListModel& model_;
    state::TextList& list_;
    std::function<void()> clickedAgain_;
    bool showing_ = false;
    bool selectedByPress_ = false;
    bool following_ = true;
};

} // namespace mirel::shell
