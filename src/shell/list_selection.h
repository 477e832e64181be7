#pragma once

#include "state/text_list.h"

#include <QObject>

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
    ListSelectionSync(QListView& view, TextListModel& model);
    ~ListSelectionSync() override;

private:
    void selectionChanged(int selected) override;
    void selectionShifted(int selected) override;
    void linesReset() override;
    void showSelection(int selected);
    void viewSelectionChanged();

    QListView& view_;
    TextListModel& model_;
    state::TextList& list_;
    bool showing_ = false;
};

} // namespace mirel::shell
