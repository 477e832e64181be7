#include "debug_views.h"

#include <QPainter>

#include <algorithm>

namespace mirel::shell {

QColor changeHighlight() {
    return QColor(150, 0, 0);
}

int BreakpointMargin::markSize(const QFont& font) {
    return std::max(6, qRound(font.pointSizeF()));
}

void BreakpointMargin::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const int mark = markSize(option.font);
    QStyleOptionViewItem text = option;
    text.rect.setLeft(option.rect.left() + 2 * mark);
    QStyledItemDelegate::paint(painter, text, index);
    const bool breakpoint = marks_.has(index.row());
    const bool warning = warnings_.has(index.row());
    if (!breakpoint && !warning)
        return;
    const int d = std::min(mark - 2, option.rect.height() - 4);
    const QRect dot(option.rect.left() + (mark - d) / 2, option.rect.center().y() - d / 2, d, d);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    if (breakpoint) {
        painter->setBrush(QColor(230, 0, 0));
        painter->drawEllipse(dot);
    }
    if (warning) {
        // A triangle standing on its base, as warning signs do.
        const QRectF sign = dot.translated(mark, 0);
        const QPointF corners[] = {
            {sign.center().x(), sign.top()}, sign.bottomRight(), sign.bottomLeft()};
        painter->setBrush(QColor(255, 150, 0));
        painter->drawPolygon(corners, 3);
    }
    painter->restore();
}

QSize BreakpointMargin::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(2 * markSize(option.font), 0);
}

void ChangedRows::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
    if (debugger_.registerChanged(index.row()))
        painter->fillRect(option.rect, changeHighlight());
    QStyledItemDelegate::paint(painter, option, index);
}

} // namespace mirel::shell
