#pragma once

#include "list_columns.h"

#include <QListView>

class QAbstractItemDelegate;

namespace mirel::shell {

// A list view that repaints only the row whose text changed. QListView
// repaints its whole viewport for any change of data, which during a run
// would redraw every visible register on every step. Its scroll bars, too,
// repaint for a scroll only when their handle moves (QuietScrollBar).
//
// Its rows are as wide as its widest line, so a long line scrolls into view
// instead of being cut: with uniform item sizes QListView would size every
// row after one sample row alone.
class RowListView final : public QListView {
    Q_OBJECT
public:
    explicit RowListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    // The columns its lines are drawn in (by a ColumnDelegate); none by default.
    const ListColumns& columns() const { return columns_; }
    void setColumns(ListColumns columns);
    // Where each field of a row is drawn, in the viewport's coordinates.
    QList<QRect> fieldRects(int row) const;
    void doItemsLayout() override;
    void reset() override;

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void changeEvent(QEvent* event) override;

private:
    int rowWidth(int row) const;
    // Widens the rows to `width` if they are narrower; true if they grew.
    bool widenTo(int width);

    // Widest row seen since the last full measure; -1 when it must be measured
    // again (new model, font or delegate). A removed line leaves it as it is.
    int widest_ = -1;
    ListColumns columns_;
    const QAbstractItemDelegate* measuredWith_ = nullptr;
};

} // namespace mirel::shell
