#include "list_selection.h"

#include "text_list_model.h"

#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QListView>

#include <utility>

namespace mirel::shell {

ListSelectionSync::ListSelectionSync(QListView& view, TextListModel& model,
                                     std::function<void()> clickedAgain)
    : QObject(&model), view_(view), model_(model), list_(model.list()),
      clickedAgain_(std::move(clickedAgain)) {
    view_.setSelectionMode(QAbstractItemView::SingleSelection);
    list_.addObserver(this);
    connect(view_.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ListSelectionSync::viewSelectionChanged);
    connect(&view_, &QAbstractItemView::clicked, this, &ListSelectionSync::viewClicked);
    showSelection(list_.selectedIndex());
}

void ListSelectionSync::follow(bool on) {
    following_ = on;
    if (on)
        showSelection(list_.selectedIndex());
}

ListSelectionSync::~ListSelectionSync() {
    list_.removeObserver(this);
}

void ListSelectionSync::selectionChanged(int selected) {
    if (following_)
        showSelection(selected);
}

void ListSelectionSync::selectionShifted(int selected) {
    if (following_)
        showSelection(selected);
}

// A reset drops the view's highlight; the core's selection may have survived.
void ListSelectionSync::linesReset() {
    showSelection(list_.selectedIndex());
}

void ListSelectionSync::showSelection(int selected) {
    QItemSelectionModel* selection = view_.selectionModel();
    const QModelIndex row = model_.index(selected);
    const bool shown = row.isValid()
                           ? selection->currentIndex() == row && selection->isSelected(row)
                           : !selection->currentIndex().isValid() && !selection->hasSelection();
    if (shown)
        return;
    const bool wasShowing = showing_;
    showing_ = true;
    if (row.isValid()) {
        selection->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
        view_.scrollTo(row);
    } else {
        selection->clear();
    }
    showing_ = wasShowing;
}

void ListSelectionSync::viewSelectionChanged() {
    if (showing_ || model_.isChanging())
        return;
    const QModelIndexList rows = view_.selectionModel()->selectedIndexes();
    if (rows.isEmpty()) {
        // The view may not drop a selection the core still holds.
        showSelection(list_.selectedIndex());
        return;
    }
    const int row = rows.constLast().row();
    if (row != list_.selectedIndex()) {
        selectedByPress_ = QGuiApplication::mouseButtons() != Qt::NoButton;
        list_.select(row);
    }
}

void ListSelectionSync::viewClicked(const QModelIndex& index) {
    const bool selectedByPress = std::exchange(selectedByPress_, false);
    if (!selectedByPress && clickedAgain_ && index.row() == list_.selectedIndex())
        clickedAgain_();
}

} // namespace mirel::shell
