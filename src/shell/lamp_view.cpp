#include "lamp_view.h"

#include "pictures.h"

#include <QPainter>

namespace mirel::shell {

LampView::LampView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void LampView::setLit(bool lit) {
    if (lit_ == lit)
        return;
    lit_ = lit;
    update();
}

void LampView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const qreal side = qMin(width(), height());
    paintLamp(p, QRectF((width() - side) / 2, (height() - side) / 2, side, side), lit_);
}

} // namespace mirel::shell
