#include "debug_views.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

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
    ColumnDelegate::paint(painter, option, index);
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
        // A triangle standing on its base, as warning signs do; beside a
        // breakpoint's dot, a smaller one on its lower right.
        const QRectF sign =
            breakpoint ? QRectF(dot.center(), dot.bottomRight() + QPointF(1, 1)) : QRectF(dot);
        const QPointF corners[] = {
            {sign.center().x(), sign.top()}, sign.bottomRight(), sign.bottomLeft()};
        painter->setBrush(QColor(255, 150, 0));
        painter->drawPolygon(corners, 3);
    }
    painter->restore();
}

void ChangedRows::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
    if (debugger_.registerChanged(index.row()))
        painter->fillRect(option.rect, changeHighlight());
    ColumnDelegate::paint(painter, option, index);
}

} // namespace mirel::shell
