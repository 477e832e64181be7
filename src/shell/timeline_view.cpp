// The timeline's scrolling, zoom and seeking; its painting is in
// timeline_paint.cpp.
#include "timeline_view.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace mirel::shell {

namespace {
// A pixel column stands for at most this many steps: 100,000 steps fit in
// under 200 pixels.
constexpr double fewestPixelsPerStep = 1.0 / 1024;
// Wide enough for a byte's two hex digits.
constexpr double mostPixelsPerStep = 64;
} // namespace

TimelineView::TimelineView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("TimelineView"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(false);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setToolTip(QStringLiteral("Click or drag in the lanes to take the machine to that step; "
                              "Ctrl+wheel zooms, the wheel scrolls, right-click for more"));
    layoutLanes();
}

void TimelineView::setTrace(const timeline::StepTrace* trace) {
    trace_ = trace;
    layoutLanes();
    updateScrollBars();
    viewport()->update();
}

void TimelineView::showMachine(long long current, long long reach) {
    current_ = current;
    reach_ = reach;
    if (trace_ && trace_->columns().size() != columnCount_)
        layoutLanes();
    updateScrollBars();
    if (following_)
        keepCurrentInView();
    viewport()->update();
}

void TimelineView::layoutLanes() {
    const QFontMetrics metrics = fontMetrics();
    lineHeight_ = metrics.height();
    lanes_.clear();
    columnCount_ = trace_ ? trace_->columns().size() : 0;
    int top = 0;
    int widest = std::max({metrics.horizontalAdvance(QStringLiteral("cycles")),
                           metrics.horizontalAdvance(QStringLiteral("step")),
                           metrics.horizontalAdvance(QStringLiteral("\u00b5s"))});
    // The bytes first, where a register the user added is seen at once;
    // then the ports' pins, bit 0 at the top.
    for (const bool pins : {false, true})
        for (std::size_t c = 0; c < columnCount_; ++c) {
            const timeline::TraceColumn& column = trace_->columns()[c];
            const int index = static_cast<int>(c);
            if ((column.pins != 0) != pins)
                continue;
            if (!pins) {
                lanes_.push_back(
                    {QString::fromStdString(column.name), index, -1, top, lineHeight_ + 6});
                top += lineHeight_ + 6;
                continue;
            }
            for (int bit = 0; bit < 8; ++bit) {
                const QString name = QStringLiteral("R%1%2").arg(QLatin1Char(column.pins)).arg(bit);
                lanes_.push_back({name, index, bit, top, lineHeight_ + 2});
                top += lineHeight_ + 2;
            }
        }
    for (const Lane& lane : lanes_)
        widest = std::max(widest, metrics.horizontalAdvance(lane.name));
    gutter_ = widest + 2 * metrics.averageCharWidth();
    axisHeight_ = 3 * lineHeight_ + 6;
    lanesHeight_ = top;
}

int TimelineView::lanesWidth() const {
    return std::max(1, viewport()->width() - gutter_);
}

long long TimelineView::visibleSteps() const {
    return std::max(1LL, static_cast<long long>(std::floor(lanesWidth() / pixelsPerStep_)));
}

// The scroll bar counts from the trace's first step: positions go past
// what an int holds after a long run, a trace's length never does.
long long TimelineView::firstShownStep() const {
    return base_ + horizontalScrollBar()->value();
}

void TimelineView::updateScrollBars() {
    QScrollBar* across = horizontalScrollBar();
    const bool was = scrolling_;
    scrolling_ = true;
    if (trace_ && !trace_->empty()) {
        const long long shown = firstShownStep();
        const long long last =
            std::max(0LL, static_cast<long long>(trace_->size()) - visibleSteps());
        base_ = trace_->first();
        across->setRange(0, static_cast<int>(last));
        across->setPageStep(static_cast<int>(std::min<long long>(visibleSteps(), 1 << 30)));
        across->setSingleStep(static_cast<int>(std::max(1LL, visibleSteps() / 16)));
        across->setValue(static_cast<int>(std::clamp(shown - base_, 0LL, last)));
    } else {
        base_ = 0;
        across->setRange(0, 0);
    }
    QScrollBar* down = verticalScrollBar();
    const int room = viewport()->height() - axisHeight_;
    down->setRange(0, std::max(0, lanesHeight_ - room));
    down->setPageStep(std::max(1, room));
    down->setSingleStep(lineHeight_);
    scrolling_ = was;
}

void TimelineView::setFirstStep(long long first, bool byUser) {
    const bool was = scrolling_;
    scrolling_ = !byUser;
    QScrollBar* across = horizontalScrollBar();
    across->setValue(static_cast<int>(std::clamp<long long>(first - base_, 0, across->maximum())));
    scrolling_ = was;
    viewport()->update();
}

void TimelineView::scrollToStep(long long first) {
    setFirstStep(first, true);
}

// A Step keeps the current step in view with a little room after it.
void TimelineView::keepCurrentInView() {
    const long long first = firstShownStep();
    const long long shown = visibleSteps();
    if (current_ >= first && current_ < first + shown)
        return;
    const long long room = std::max(1LL, shown / 10);
    setFirstStep(current_ >= first + shown ? current_ - shown + room : current_ - room, false);
}

void TimelineView::scrollContentsBy(int, int) {
    if (!scrolling_) {
        // The user's scrolling: following stops with the current step out of
        // sight and starts again when it is back.
        const long long first = firstShownStep();
        following_ = current_ >= first && current_ < first + visibleSteps();
    }
    viewport()->update();
}

void TimelineView::zoomBy(double steps, int anchorX) {
    zoomTo(pixelsPerStep_ * std::pow(2.0, steps / 2.0), anchorX);
}

void TimelineView::setPixelsPerStep(double pixels) {
    zoomTo(pixels, -1);
}

void TimelineView::zoomTo(double pixels, int anchorX) {
    const int x = anchorX < 0 ? lanesWidth() / 2 : std::clamp(anchorX - gutter_, 0, lanesWidth());
    const double anchorStep = static_cast<double>(firstShownStep()) + x / pixelsPerStep_;
    pixelsPerStep_ = std::clamp(pixels, fewestPixelsPerStep, mostPixelsPerStep);
    updateScrollBars();
    const auto first = static_cast<long long>(std::llround(anchorStep - x / pixelsPerStep_));
    setFirstStep(first, !following_);
    if (following_)
        keepCurrentInView();
    viewport()->update();
}

void TimelineView::showAll() {
    if (!trace_ || trace_->empty())
        return;
    const double fit = lanesWidth() / static_cast<double>(trace_->size());
    pixelsPerStep_ = std::clamp(fit, fewestPixelsPerStep, mostPixelsPerStep);
    updateScrollBars();
    setFirstStep(trace_->first(), false);
    following_ = true;
    keepCurrentInView();
}

long long TimelineView::stepAtX(int x) const {
    return firstShownStep() + static_cast<long long>(std::floor((x - gutter_) / pixelsPerStep_));
}

double TimelineView::middleOf(long long step) const {
    return gutter_ + (static_cast<double>(step - firstShownStep()) + 0.5) * pixelsPerStep_;
}

QPoint TimelineView::pointOfStep(long long step, int traceColumn) const {
    int y = axisHeight_ / 2;
    for (const Lane& lane : lanes_)
        if (lane.column == traceColumn) {
            y = axisHeight_ + lane.top + lane.height / 2 - verticalScrollBar()->value();
            break;
        }
    return {static_cast<int>(std::floor(middleOf(step))), y};
}

int TimelineView::traceColumnAt(int y) const {
    const int at = y - axisHeight_ + verticalScrollBar()->value();
    if (y < axisHeight_)
        return -1;
    for (const Lane& lane : lanes_)
        if (at >= lane.top && at < lane.top + lane.height)
            return lane.column;
    return -1;
}

void TimelineView::seekTo(int x) {
    if (!trace_ || trace_->empty() || !goTo_ || !seekable_ || x < gutter_)
        return;
    const long long lowest = std::max(reach_, trace_->first());
    const long long step = std::clamp(stepAtX(x), lowest, trace_->end() - 1);
    if (step != current_)
        goTo_(step);
}

void TimelineView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    dragging_ = true;
    seekTo(event->position().toPoint().x());
}

void TimelineView::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        seekTo(event->position().toPoint().x());
}

void TimelineView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void TimelineView::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    const double notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120.0;
    if (event->modifiers() & Qt::ControlModifier) {
        zoomBy(notches, event->position().toPoint().x());
    } else if (event->modifiers() & Qt::ShiftModifier) {
        QScrollBar* down = verticalScrollBar();
        down->setValue(down->value() - static_cast<int>(notches * 3 * lineHeight_));
    } else {
        const long long by = std::max(1LL, visibleSteps() / 8);
        scrollToStep(firstShownStep() - static_cast<long long>(std::llround(notches * by)));
    }
    event->accept();
}

void TimelineView::contextMenuEvent(QContextMenuEvent* event) {
    emit laneMenuRequested(traceColumnAt(event->pos().y()), event->globalPos());
}

void TimelineView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    if (following_)
        keepCurrentInView();
}

void TimelineView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        layoutLanes();
        updateScrollBars();
        viewport()->update();
    }
}

} // namespace mirel::shell
