#include "pictures.h"

#include <QPainter>
#include <QPainterPath>
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

namespace {

qreal lineWidth(const QRectF& area) {
    return qMax(1.0, area.width() / 16.0);
}

// A blank sheet with its corner folded.
void paintSheet(QPainter& p, const QRectF& a) {
    const qreal l = a.left() + a.width() * 0.2, r = a.left() + a.width() * 0.8;
    const qreal t = a.top() + a.height() * 0.08, b = a.top() + a.height() * 0.92;
    const qreal fold = a.width() * 0.25;
    const QPointF sheet[] = {{l, t}, {r - fold, t}, {r, t + fold}, {r, b}, {l, b}};
    p.setPen(QPen(QColor(60, 60, 60), lineWidth(a), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPolygon(sheet, 5);
    const QPointF corner[] = {{r - fold, t}, {r - fold, t + fold}, {r, t + fold}};
    p.setBrush(QColor(210, 210, 210));
    p.drawPolygon(corner, 3);
}

// A folder with its front flap opening.
void paintFolder(QPainter& p, const QRectF& a) {
    const auto at = [&a](qreal x, qreal y) {
        return QPointF(a.left() + a.width() * x, a.top() + a.height() * y);
    };
    p.setPen(QPen(QColor(110, 80, 10), lineWidth(a), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(230, 180, 60));
    const QPointF back[] = {at(0.06, 0.2), at(0.38, 0.2),  at(0.46, 0.3),
                            at(0.86, 0.3), at(0.86, 0.84), at(0.06, 0.84)};
    p.drawPolygon(back, 6);
    p.setBrush(QColor(250, 210, 100));
    const QPointF front[] = {at(0.2, 0.44), at(0.98, 0.44), at(0.86, 0.84), at(0.06, 0.84)};
    p.drawPolygon(front, 4);
}

// A diskette: shutter at the top, label below.
void paintDiskette(QPainter& p, const QRectF& a) {
    const QRectF body =
        a.adjusted(a.width() * 0.1, a.height() * 0.1, -a.width() * 0.1, -a.height() * 0.1);
    p.setPen(QPen(QColor(20, 30, 70), lineWidth(a), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(50, 80, 170));
    p.drawRoundedRect(body, a.width() * 0.06, a.width() * 0.06);
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(body.left() + body.width() * 0.25, body.top(), body.width() * 0.5,
                      body.height() * 0.3));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(body.left() + body.width() * 0.15, body.top() + body.height() * 0.5,
                      body.width() * 0.7, body.height() * 0.45));
}

} // namespace

void paintChip(QPainter& p, const QRectF& a) {
    const qreal size = a.width();
    const qreal pin = size / 8.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 190, 190));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(a.left(), a.top() + size * (0.25 + 0.22 * i), size, pin));
    p.setBrush(QColor(30, 30, 30));
    p.setPen(QPen(QColor(120, 120, 120), qMax(0.5, size / 64)));
    p.drawRoundedRect(
        QRectF(a.left() + size * 0.15, a.top() + size * 0.08, size * 0.7, size * 0.84), pin, pin);
    paintLamp(p, QRectF(a.left() + size * 0.25, a.top() + size * 0.25, size * 0.5, size * 0.5),
              true);
}

void paintBackground(QPainter& p, const QRectF& area) {
    p.fillRect(area, Qt::black);
    // Traces on a 40-pixel grid: runs with a bend and a pad at each end.
    const qreal grid = 40;
    p.setPen(QPen(QColor(0, 70, 40), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    int n = 0;
    for (qreal y = area.top() + grid / 2; y < area.bottom(); y += grid) {
        for (qreal x = area.left() + grid / 2; x < area.right(); x += grid * 3, ++n) {
            const qreal run = grid * (1 + n % 3);
            const qreal drop = (n % 2 ? grid : -grid) / 2;
            QPainterPath trace(QPointF(x, y));
            trace.lineTo(x + run, y);
            trace.lineTo(x + run + qAbs(drop), y + drop);
            p.setBrush(Qt::NoBrush);
            p.drawPath(trace);
            p.setBrush(QColor(0, 50, 30));
            p.drawEllipse(QPointF(x, y), 3, 3);
            p.drawEllipse(QPointF(x + run + qAbs(drop), y + drop), 3, 3);
        }
    }
}

QIcon makeWindowIcon() {
    return paintedIcon(paintChip);
}

QIcon makeToolbarIcon(const QString& key) {
    if (key == QLatin1String("Open"))
        return paintedIcon(paintFolder);
    if (key == QLatin1String("Save"))
        return paintedIcon(paintDiskette);
    return paintedIcon(paintSheet);
}

} // namespace mirel::shell
