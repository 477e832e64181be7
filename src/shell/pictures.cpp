#include "pictures.h"

#include <QPainter>
#include <QRadialGradient>

namespace mirel::shell {

// A round lamp in a dark bezel, lit with a bright glow or off in a dull red.
void paintLamp(QPainter& p, const QRectF& area, bool lit) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal size = area.width();
    const QRectF bezel = area.adjusted(1, 1, -1, -1);
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(bezel);

    const QRectF glass = bezel.adjusted(size * 0.14, size * 0.14, -size * 0.14, -size * 0.14);
    QRadialGradient shine(glass.center() - QPointF(glass.width() * 0.18, glass.height() * 0.18),
                          glass.width() * 0.6);
    if (lit) {
        shine.setColorAt(0.0, QColor(255, 255, 220));
        shine.setColorAt(0.35, QColor(255, 80, 60));
        shine.setColorAt(1.0, QColor(200, 0, 0));
    } else {
        shine.setColorAt(0.0, QColor(120, 60, 60));
        shine.setColorAt(1.0, QColor(60, 10, 10));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(glass);
    p.restore();
}

// A chip with a lit lamp on it.
QIcon makeWindowIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal pin = size / 8.0;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(190, 190, 190));
        for (int i = 0; i < 3; ++i) {
            const qreal y = size * (0.25 + 0.22 * i);
            p.drawRect(QRectF(0, y, size, pin));
        }
        p.setBrush(QColor(30, 30, 30));
        p.drawRoundedRect(QRectF(size * 0.15, size * 0.08, size * 0.7, size * 0.84), pin, pin);
        paintLamp(p, QRectF(size * 0.25, size * 0.25, size * 0.5, size * 0.5), true);
        p.end();
        icon.addPixmap(picture);
    }
    return icon;
}

// A blank sheet with its corner folded.
QIcon makeNewProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal l = size * 0.2, r = size * 0.8, t = size * 0.08, b = size * 0.92;
        const qreal fold = size * 0.25;
        const QPointF sheet[] = {{l, t}, {r - fold, t}, {r, t + fold}, {r, b}, {l, b}};
        p.setPen(QPen(QColor(60, 60, 60), qMax(1.0, size / 16.0)));
        p.setBrush(Qt::white);
        p.drawPolygon(sheet, 5);
        const QPointF corner[] = {{r - fold, t}, {r - fold, t + fold}, {r, t + fold}};
        p.setBrush(QColor(210, 210, 210));
        p.drawPolygon(corner, 3);
        p.end();
        icon.addPixmap(picture);
    }
    return icon;
}

} // namespace mirel::shell
