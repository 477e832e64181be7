#pragma once

#include <QListView>

namespace mirel::shell {

// A list view that repaints only the row whose text changed. QListView
// repaints its whole viewport for any change of data, which during a run
// would redraw every visible register on every step.
class RowListView final : public QListView {
    Q_OBJECT
public:
    using QListView::QListView;

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
};

} // namespace mirel::shell
