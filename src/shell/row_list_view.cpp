#include "row_list_view.h"

namespace mirel::shell {

// The rows have one height and never wrap, so a new text changes no layout:
// the item view's own handling (editors, the row's rectangle) is all it needs.
void RowListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                              const QList<int>& roles) {
    if (topLeft == bottomRight && uniformItemSizes() && !wordWrap())
        QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    else
        QListView::dataChanged(topLeft, bottomRight, roles);
}

} // namespace mirel::shell
