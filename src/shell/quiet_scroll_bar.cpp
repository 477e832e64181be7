#include "quiet_scroll_bar.h"

#include <QPaintEvent>
#include <QStyle>
#include <QStyleOptionSlider>

namespace mirel::shell {

QuietScrollBar::QuietScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {}

QuietScrollBar::Look QuietScrollBar::look() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return {
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
        value() == minimum(), value() == maximum()};
}

// Any other change (range, page step, orientation) repaints as QScrollBar does.
void QuietScrollBar::sliderChange(SliderChange change) {
    if (change == SliderValueChange && painted_.handle.isValid() && look() == painted_)
        return;
    QScrollBar::sliderChange(change);
}

// Only a paint of the whole bar says what the screen shows; after a partial
// one the next value change repaints.
void QuietScrollBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    painted_ = QRegion(rect()).subtracted(event->region()).isEmpty() ? look() : Look{};
}

} // namespace mirel::shell
