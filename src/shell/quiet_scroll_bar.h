#pragma once

#include <QRect>
#include <QScrollBar>

namespace mirel::shell {

// A scroll bar that repaints for a new value only when it looks different.
// A run scrolls the program list by one line a step; on a long program the
// handle then moves by a pixel only every hundred steps or so, yet QScrollBar
// would repaint itself (its groove and gradients, costlier than the list's
// rows) on every one of them.
class QuietScrollBar final : public QScrollBar {
    Q_OBJECT
public:
    explicit QuietScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // What a value changes in the picture: where the handle is, and whether
    // the bar stands at an end (a style may grey the arrow there).
    struct Look {
        QRect handle;
        bool atMinimum = false;
        bool atMaximum = false;
        bool operator==(const Look&) const = default;
    };
    Look look() const;

    Look painted_; // as last painted whole; an invalid handle when unknown
};

} // namespace mirel::shell
