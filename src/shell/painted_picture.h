#pragma once

#include <QIconEngine>
#include <QPixmap>
#include <QWidget>

#include <functional>

namespace mirel::shell {

// Draws a picture into the given square; called at whatever size and pixel
// density the picture is shown, so it stays crisp at any scale.
using Painting = std::function<void(QPainter&, const QRectF&)>;

// An icon drawn afresh at every size asked for; disabled icons are faded.
class PaintedIconEngine final : public QIconEngine {
public:
    explicit PaintedIconEngine(Painting painting) : painting_(std::move(painting)) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    // Sizes for those who ask which exist (window managers); any other size is drawn too.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override;
    QIconEngine* clone() const override { return new PaintedIconEngine(painting_); }

private:
    Painting painting_;
};

QIcon paintedIcon(Painting painting);

// A control that draws its picture: centred in a square, or over the whole
// control (a background behind other controls). A background is drawn once
// per size and pixel density and kept, since every repaint of a control on
// top of it (a list row during a run) repaints the part behind it too.
class PaintedPicture final : public QWidget {
public:
    enum class Fit { Square, Whole };
    PaintedPicture(Painting painting, Fit fit, QWidget* parent)
        : QWidget(parent), painting_(std::move(painting)), fit_(fit) {}

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Painting painting_;
    Fit fit_;
    QPixmap drawn_; // the whole background at the current size and density
};

} // namespace mirel::shell
