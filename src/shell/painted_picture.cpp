#include "painted_picture.h"

#include <QPaintEvent>
#include <QPainter>

namespace mirel::shell {

void PaintedIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                              QIcon::State) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (mode == QIcon::Disabled)
        painter->setOpacity(0.35);
    painting_(*painter, QRectF(rect));
    painter->restore();
}

QPixmap PaintedIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return scaledPixmap(size, mode, state, 1.0);
}

QPixmap PaintedIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                                        qreal scale) {
    QPixmap picture(size * scale);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return picture;
}

QList<QSize> PaintedIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
    QList<QSize> sizes;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        sizes << QSize(side, side);
    return sizes;
}

QIcon paintedIcon(Painting painting) {
    return QIcon(new PaintedIconEngine(std::move(painting)));
}

void PaintedPicture::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (fit_ == Fit::Whole) {
        const qreal density = devicePixelRatioF();
        const QSize pixels = (QSizeF(size()) * density).toSize();
        if (drawn_.size() != pixels || drawn_.devicePixelRatio() != density) {
            drawn_ = QPixmap(pixels);
            drawn_.setDevicePixelRatio(density);
            drawn_.fill(Qt::transparent);
            QPainter onto(&drawn_);
            onto.setRenderHint(QPainter::Antialiasing);
            painting_(onto, QRectF(rect()));
        }
        const QRect part = event->rect();
        painter.drawPixmap(
            part, drawn_, QRectF(QPointF(part.topLeft()) * density, QSizeF(part.size()) * density));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(width(), height());
    painting_(painter, QRectF((width() - side) / 2, (height() - side) / 2, side, side));
}

} // namespace mirel::shell
