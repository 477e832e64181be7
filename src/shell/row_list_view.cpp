#include "row_list_view.h"

#include "quiet_scroll_bar.h"

#include <QAbstractItemDelegate>
#include <QEvent>

#include <algorithm>

namespace mirel::shell {

RowListView::RowListView(QWidget* parent) : QListView(parent) {
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // A new bar keeps only the scroll area's own connections; the item view's
    // (fetching more rows, hover after a scroll) are made again.
    auto* vertical = new QuietScrollBar(Qt::Vertical, this);
    setVerticalScrollBar(vertical);
    connect(vertical, &QScrollBar::valueChanged, this, &RowListView::verticalScrollbarValueChanged);
    connect(vertical, &QScrollBar::actionTriggered, this, &RowListView::verticalScrollbarAction);
    auto* horizontal = new QuietScrollBar(Qt::Horizontal, this);
    setHorizontalScrollBar(horizontal);
    connect(horizontal, &QScrollBar::valueChanged, this,
            &RowListView::horizontalScrollbarValueChanged);
    connect(horizontal, &QScrollBar::actionTriggered, this,
            &RowListView::horizontalScrollbarAction);
}

void RowListView::setModel(QAbstractItemModel* model) {
    widest_ = -1;
    QListView::setModel(model);
}

void RowListView::setColumns(ListColumns columns) {
    columns_ = std::move(columns);
    widest_ = -1;
    scheduleDelayedItemsLayout();
}

QList<QRect> RowListView::fieldRects(int row) const {
    const QModelIndex index =
        model() ? model()->index(row, modelColumn(), rootIndex()) : QModelIndex();
    const auto* delegate = dynamic_cast<const ColumnDelegate*>(itemDelegateForIndex(index));
    if (!index.isValid() || !delegate)
        return {};
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return delegate->fieldRects(option, index);
}

void RowListView::reset() {
    widest_ = -1;
    QListView::reset();
}

void RowListView::doItemsLayout() {
    QListView::doItemsLayout();
    if (!model())
        return;
    if (widest_ < 0 || measuredWith_ != itemDelegate()) {
        measuredWith_ = itemDelegate();
        widest_ = 0;
        for (int row = 0, rows = model()->rowCount(rootIndex()); row < rows; ++row)
            widest_ = std::max(widest_, rowWidth(row));
    }
    widenTo(widest_);
}

// The rows have one height and never wrap, so a new text changes no layout:
// the item view's own handling (editors, the row's rectangle) is all it needs,
// unless the new text is wider than every row before it.
void RowListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                              const QList<int>& roles) {
    if (topLeft == bottomRight && uniformItemSizes() && !wordWrap()) {
        if (widest_ >= 0 && widenTo(rowWidth(topLeft.row())))
            viewport()->update();
        QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    } else {
        QListView::dataChanged(topLeft, bottomRight, roles);
    }
}

void RowListView::rowsInserted(const QModelIndex& parent, int start, int end) {
    if (widest_ >= 0 && parent == rootIndex())
        for (int row = start; row <= end; ++row)
            widest_ = std::max(widest_, rowWidth(row));
    QListView::rowsInserted(parent, start, end);
}

void RowListView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        widest_ = -1;
    QListView::changeEvent(event);
}

int RowListView::rowWidth(int row) const {
    const QModelIndex index = model()->index(row, modelColumn(), rootIndex());
    const QAbstractItemDelegate* delegate = itemDelegateForIndex(index);
    if (!delegate)
        return 0;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    return delegate->sizeHint(option, index).width();
}

bool RowListView::widenTo(int width) {
    widest_ = std::max(widest_, width);
    const QSize contents = contentsSize();
    if (contents.width() >= width)
        return false;
    resizeContents(width, contents.height());
    updateGeometries();
    return true;
}

} // namespace mirel::shell
