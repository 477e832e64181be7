#pragma once

#include "timeline/step_trace.h"

#include <QAbstractScrollArea>

#include <functional>
#include <vector>

namespace mirel::shell {

// The machine over the steps of its history, one lane a row: the port pins
// as high and low traces, W and the other registers as bytes written where
// they change. Steps run left to right under an axis of steps, cycles and
// microseconds; the current step carries a line and the steps after it
// (left by a take-back) are dimmed. Where more steps than pixels are shown,
// each pixel column stands for its steps and marks a lane that changed in
// them; painting reads only the steps in view.
class TimelineView final : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TimelineView(QWidget* parent);

    // The trace shown, read while painting; null for none. Its columns give the lanes.
    void setTrace(const timeline::StepTrace* trace);
    // The trace or the machine moved on: the current step and the oldest in
    // reach. While following, the current step is kept in view.
    void showMachine(long long current, long long reach);
    // A click or drag in the lanes goes to a step, while seeking is on.
    void setSeek(std::function<void(long long)> goTo) { goTo_ = std::move(goTo); }
    void setSeekable(bool on) { seekable_ = on; }

    // Pixels a step takes; below 1 where a pixel column stands for several steps.
    double pixelsPerStep() const { return pixelsPerStep_; }
    void setPixelsPerStep(double pixels);
    // Steps of the zoom in (+) or out (-), each a factor of the square root
    // of two, about the viewport's x (the middle for -1).
    void zoomBy(double steps, int anchorX = -1);
    // The whole trace in view.
    void showAll();
    long long firstShownStep() const;
    void scrollToStep(long long first);
    // Whether the view keeps the current step in view: until the user
    // scrolls it out of sight, and again once it is back in sight.
    bool following() const { return following_; }

    // Where a step's middle lies in the viewport, on the lane of `traceColumn`.
    QPoint pointOfStep(long long step, int traceColumn) const;
    // The trace column whose lane lies at the viewport's y; -1 for none.
    int traceColumnAt(int y) const;

signals:
    // A right click on a lane (its trace column, or -1 off the lanes).
    void laneMenuRequested(int traceColumn, const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // One row: a pin (a bit of a port column) or a byte column.
    struct Lane {
        QString name;
        int column = 0;
        int bit = -1;            // -1 for a byte
        int top = 0, height = 0; // in lane space, before the vertical scroll
    };
    // What a pixel column holds of a trace column: its first and last
    // values and the bits that changed between its steps.
    struct Span {
        bool present = false;
        std::uint8_t first = 0, last = 0, inner = 0;
    };

    void zoomTo(double pixels, int anchorX);
    void layoutLanes();
    void updateScrollBars();
    long long visibleSteps() const;
    int lanesWidth() const;
    long long stepAtX(int x) const;
    double middleOf(long long step) const;
    void seekTo(int x);
    void setFirstStep(long long first, bool byUser);
    void keepCurrentInView();
    // Painting (timeline_paint.cpp).
    void collectSpans(int width);
    void paintAxis(QPainter& painter);
    void paintLanes(QPainter& painter);
    void paintPinLane(QPainter& painter, const Lane& lane, int y);
    void paintByteLane(QPainter& painter, const Lane& lane, int y);
    const Span& span(int column, int x) const {
        return spans_[static_cast<std::size_t>(x) * columnCount_ +
                      static_cast<std::size_t>(column)];
    }

    const timeline::StepTrace* trace_ = nullptr;
    std::vector<Lane> lanes_;
    std::size_t columnCount_ = 0;
    std::vector<Span> spans_; // per pixel column, per trace column
    long long current_ = 0;
    long long reach_ = 0;
    double pixelsPerStep_ = 8;
    bool following_ = true;
    bool seekable_ = true;
    bool dragging_ = false;
    bool scrolling_ = false; // our own change of the scroll bar
    long long base_ = 0;     // the step the scroll bar's 0 stands for
    std::function<void(long long)> goTo_;
    // Sizes from the font: the names' gutter, the axis, a lane's rows.
    int gutter_ = 0, axisHeight_ = 0, lineHeight_ = 0, lanesHeight_ = 0;
};

} // namespace mirel::shell
