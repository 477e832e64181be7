#include "wrapping_status_bar.h"

#include <QEvent>
#include <QLayout>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>

namespace mirel::shell {

namespace {
// QStatusBar's own margins around its message.
constexpr int leftMargin = 6;
constexpr int rightMargin = 12;
constexpr int textFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
} // namespace

WrappingStatusBar::WrappingStatusBar(QWidget* parent) : QStatusBar(parent) {
    connect(this, &QStatusBar::messageChanged, this, &WrappingStatusBar::arrange);
}

void WrappingStatusBar::letStepAside(QWidget* widget) {
    asides_ << widget;
}

// The permanent widgets are the ones a message leaves shown: the first
// `keptAsides` of those that may step aside, and the others.
int WrappingStatusBar::room(qsizetype keptAsides) const {
    int used = 0;
    const int spacing = layout() ? std::max(0, layout()->spacing()) : 0;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const qsizetype aside = asides_.indexOf(child);
        if (child->isWindow() || (aside >= 0 ? aside >= keptAsides : child->isHidden()))
            continue;
        used += child->sizeHint().width() + spacing + 4;
    }
    return std::max(1, width() - leftMargin - rightMargin - used);
}

QRect WrappingStatusBar::messageRect() const {
    int right = width() - rightMargin;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow() && child->isVisible() && child->width() > 0)
            right = std::min(right, child->x() - 2);
    return QRect(leftMargin, 0, std::max(1, right - leftMargin), height());
}

QSize WrappingStatusBar::sizeHint() const {
    const QSize hint = QStatusBar::sizeHint();
    return {hint.width(), std::max(hint.height(), 2 * fontMetrics().lineSpacing() + 4)};
}

QSize WrappingStatusBar::minimumSizeHint() const {
    const QSize hint = QStatusBar::minimumSizeHint();
    return {hint.width(), std::max(hint.height(), 2 * fontMetrics().lineSpacing() + 4)};
}

void WrappingStatusBar::arrange() {
    if (arranging_)
        return;
    arranging_ = true;
    const QString message = currentMessage();
    // The last to step aside go first, until the message fits on a line.
    qsizetype kept = asides_.size();
    while (!message.isEmpty() && kept > 0 && fontMetrics().horizontalAdvance(message) > room(kept))
        --kept;
    for (qsizetype i = 0; i < asides_.size(); ++i)
        if (asides_[i])
            asides_[i]->setVisible(i < kept);
    int wanted = 0;
    if (!message.isEmpty()) {
        const QRect text =
            fontMetrics().boundingRect(QRect(0, 0, room(kept), 1 << 16), textFlags, message);
        wanted = text.height() + 4;
    }
    // Taller than its two lines only for a message that needs more.
    setMinimumHeight(wanted > sizeHint().height() ? wanted : 0);
    update();
    arranging_ = false;
}

// The bar lays out its widgets again for every message: its whole face is
// painted again after, so that no widget leaves its old picture behind.
bool WrappingStatusBar::event(QEvent* event) {
    const bool handled = QStatusBar::event(event);
    if (event->type() == QEvent::LayoutRequest)
        update();
    return handled;
}

void WrappingStatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    if (!currentMessage().isEmpty())
        arrange();
}

void WrappingStatusBar::paintEvent(QPaintEvent* event) {
    const QString message = currentMessage();
    if (message.isEmpty()) {
        QStatusBar::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &painter, this);
    painter.setPen(palette().windowText().color());
    painter.drawText(messageRect(), textFlags, message);
}

} // namespace mirel::shell
