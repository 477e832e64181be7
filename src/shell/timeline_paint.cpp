// Painting the timeline: each pixel column of the lanes stands for the steps
// under it, gathered once a paint from the rows in view (collectSpans), and
// each lane is drawn from those columns in a few batched calls, so that a
// frame costs the same over ten steps or a hundred thousand.
#include "timeline_view.h"

#include <QPainter>
#include <QPolygon>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace mirel::shell {

namespace {
QColor background() {
    return Qt::black;
}
QColor panel() {
    return QColor(32, 32, 32);
}
QColor labelText() {
    return QColor(220, 220, 220);
}
QColor grid() {
    return QColor(55, 55, 55);
}
QColor pinColour() {
    return QColor(0, 220, 0);
}
QColor pinBand() {
    return QColor(0, 110, 0);
}
QColor byteColour() {
    return QColor(255, 255, 0);
}
QColor changing() {
    return QColor(0, 160, 220);
}
QColor currentLine() {
    return QColor(255, 60, 60);
}

// 1, 2 or 5 times a power of ten, at least `at least`.
long long niceStep(double atLeast) {
    long long power = 1;
    while (true) {
        for (const long long m : {1LL, 2LL, 5LL})
            if (static_cast<double>(m * power) >= atLeast)
                return m * power;
        power *= 10;
    }
}
} // namespace

void TimelineView::collectSpans(int width) {
    spans_.assign(static_cast<std::size_t>(width) * columnCount_, Span{});
    if (!trace_ || trace_->empty() || columnCount_ == 0)
        return;
    const long long first = firstShownStep();
    const long long end = trace_->end();
    for (int x = 0; x < width; ++x) {
        long long from = first + static_cast<long long>(std::floor(x / pixelsPerStep_));
        long long to = first + static_cast<long long>(std::floor((x + 1) / pixelsPerStep_));
        to = std::max(to, from + 1);
        from = std::max(from, trace_->first());
        to = std::min(to, end);
        if (from >= to) {
            if (from >= end)
                break;
            continue;
        }
        Span* row = &spans_[static_cast<std::size_t>(x) * columnCount_];
        const std::uint8_t* values = trace_->values(from);
        for (std::size_t c = 0; c < columnCount_; ++c)
            row[c] = Span{true, values[c], values[c], 0};
        for (long long s = from + 1; s < to; ++s) {
            values += columnCount_;
            for (std::size_t c = 0; c < columnCount_; ++c) {
                row[c].inner |= static_cast<std::uint8_t>(values[c] ^ row[c].last);
                row[c].last = values[c];
            }
        }
    }
}

void TimelineView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), background());
    painter.setFont(font());
    if (!trace_ || trace_->empty()) {
        painter.setPen(labelText());
        painter.drawText(viewport()->rect().adjusted(gutter_, axisHeight_, 0, 0),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         QStringLiteral("No steps yet: Step or run the program, and its "
                                        "pins and registers show here step by step."));
        paintAxis(painter);
        return;
    }
    collectSpans(lanesWidth());
    // The axis first: its grid lines run behind the lanes.
    paintAxis(painter);
    paintLanes(painter);
    // The current step across axis and lanes.
    const double x = middleOf(current_);
    if (x >= gutter_ && x < viewport()->width()) {
        painter.setPen(QPen(currentLine(), 2));
        painter.drawLine(QPointF(x, 0), QPointF(x, viewport()->height()));
    }
}

void TimelineView::paintAxis(QPainter& painter) {
    const int width = viewport()->width();
    painter.fillRect(0, 0, width, axisHeight_, panel());
    painter.setPen(labelText());
    const QStringList rows = {QStringLiteral("step"), QStringLiteral("cycles"),
                              QStringLiteral("\u00b5s")};
    for (int r = 0; r < rows.size(); ++r)
        painter.drawText(QRect(4, 3 + r * lineHeight_, gutter_ - 8, lineHeight_),
                         Qt::AlignLeft | Qt::AlignVCenter, rows[r]);
    painter.setPen(grid());
    painter.drawLine(gutter_ - 1, 0, gutter_ - 1, viewport()->height());
    if (!trace_ || trace_->empty())
        return;
    // Labels far enough apart for the widest count in view.
    const QFontMetrics metrics = fontMetrics();
    const long long first = std::max(firstShownStep(), trace_->first());
    const long long last = std::min(first + visibleSteps(), trace_->end() - 1);
    const QString widest = QString::number(std::max(last, trace_->cycles(last)));
    const double labelWidth = metrics.horizontalAdvance(widest + QStringLiteral(" \u00b5s")) +
                              2 * metrics.averageCharWidth();
    const long long every = niceStep(labelWidth / pixelsPerStep_);
    painter.save();
    painter.setClipRect(gutter_, 0, width - gutter_, viewport()->height());
    for (long long s = (first + every - 1) / every * every; s <= last; s += every) {
        const int x = static_cast<int>(std::floor(middleOf(s)));
        painter.setPen(grid());
        painter.drawLine(x, axisHeight_ - 3, x, viewport()->height());
        painter.setPen(labelText());
        const long long cycles = trace_->cycles(s);
        const QString texts[] = {QString::number(s), QString::number(cycles),
                                 QString::number(cycles) + QStringLiteral(" \u00b5s")};
        // Centred on the step, but never under the names.
        const double left = std::max<double>(gutter_, x - labelWidth / 2);
        for (int r = 0; r < 3; ++r)
            painter.drawText(QRectF(left, 3 + r * lineHeight_, labelWidth, lineHeight_),
                             left > x - labelWidth / 2 ? Qt::AlignLeft | Qt::AlignVCenter
                                                       : Qt::AlignCenter,
                             texts[r]);
    }
    painter.restore();
}

void TimelineView::paintLanes(QPainter& painter) {
    const int width = viewport()->width();
    const int scrolled = verticalScrollBar()->value();
    painter.save();
    painter.setClipRect(0, axisHeight_, width, viewport()->height() - axisHeight_);
    for (const Lane& lane : lanes_) {
        const int y = axisHeight_ + lane.top - scrolled;
        if (y + lane.height < axisHeight_ || y > viewport()->height())
            continue;
        painter.fillRect(0, y, gutter_ - 1, lane.height, panel());
        painter.setPen(labelText());
        painter.drawText(QRect(4, y, gutter_ - 8, lane.height), Qt::AlignLeft | Qt::AlignVCenter,
                         lane.name);
        painter.save();
        painter.setClipRect(gutter_, std::max(y, axisHeight_), width - gutter_, lane.height);
        if (lane.bit >= 0)
            paintPinLane(painter, lane, y);
        else
            paintByteLane(painter, lane, y);
        painter.restore();
    }
    // The steps after the current one, taken back, under a veil.
    const double after = middleOf(current_) + std::max(1.0, pixelsPerStep_ / 2);
    if (after < width)
        painter.fillRect(
            QRectF(std::max<double>(after, gutter_), axisHeight_, width, viewport()->height()),
            QColor(0, 0, 0, 150));
    painter.restore();
}

// Low is a thin line at the bottom, high a band with a thick top; a pixel
// column whose pin changed between its steps is a bar of the change colour.
void TimelineView::paintPinLane(QPainter& painter, const Lane& lane, int y) {
    const int columns = lanesWidth();
    const int top = y + 2, bottom = y + lane.height - 2;
    QVector<QRect> bands, busy;
    QVector<QLine> highs, lows, edges;
    enum Kind { None, Low, High, Busy };
    Kind run = None;
    int runStart = 0;
    int previous = -1; // the pin's level at the end of the column before
    const auto flush = [&](int x) {
        const int x0 = gutter_ + runStart, x1 = gutter_ + x;
        if (run == High) {
            bands.push_back(QRect(x0, top, x1 - x0, bottom - top));
            highs.push_back(QLine(x0, top, x1, top));
        } else if (run == Low) {
            lows.push_back(QLine(x0, bottom, x1, bottom));
        } else if (run == Busy) {
            busy.push_back(QRect(x0, top, x1 - x0, bottom - top + 1));
        }
    };
    for (int x = 0; x <= columns; ++x) {
        Kind kind = None;
        int level = -1;
        if (x < columns) {
            const Span& s = span(lane.column, x);
            if (s.present) {
                level = (s.first >> lane.bit) & 1;
                kind = (s.inner >> lane.bit) & 1 ? Busy : level ? High : Low;
                if (previous >= 0 && previous != level)
                    edges.push_back(QLine(gutter_ + x, top, gutter_ + x, bottom));
                previous = (s.last >> lane.bit) & 1;
            } else {
                previous = -1;
            }
        }
        if (kind != run || x == columns) {
            flush(x);
            run = kind;
            runStart = x;
        }
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(pinBand());
    painter.drawRects(bands);
    painter.setBrush(changing());
    painter.drawRects(busy);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(pinColour(), 1));
    painter.drawLines(lows);
    painter.drawLines(edges);
    painter.setPen(QPen(pinColour(), 2));
    painter.drawLines(highs);
}

// A bus: each stretch of one value is a long hexagon with the value in it
// where it has room; columns where the byte changed between steps are bars.
void TimelineView::paintByteLane(QPainter& painter, const Lane& lane, int y) {
    const int columns = lanesWidth();
    const int top = y + 3, bottom = y + lane.height - 3, middle = (top + bottom) / 2;
    const int textWidth = fontMetrics().horizontalAdvance(QStringLiteral("FF")) + 6;
    QVector<QRect> busy;
    struct Stretch {
        int x0, x1;
        std::uint8_t value;
    };
    std::vector<Stretch> stretches;
    int runStart = 0;
    int kind = -2; // -2 none, -1 changing, else the value
    const auto flush = [&](int x) {
        if (kind == -1)
            busy.push_back(QRect(gutter_ + runStart, top, x - runStart, bottom - top + 1));
        else if (kind >= 0)
            stretches.push_back({gutter_ + runStart, gutter_ + x, static_cast<std::uint8_t>(kind)});
    };
    int previous = -1;
    for (int x = 0; x <= columns; ++x) {
        int now = -2;
        bool edge = false;
        if (x < columns) {
            const Span& s = span(lane.column, x);
            if (s.present) {
                now = s.inner != 0 ? -1 : s.first;
                edge = previous >= 0 && previous != s.first;
                previous = s.last;
            } else {
                previous = -1;
            }
        }
        if (now != kind || edge || x == columns) {
            flush(x);
            kind = now;
            runStart = x;
        }
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(changing());
    painter.drawRects(busy);
    painter.setPen(QPen(byteColour(), 1));
    painter.setBrush(QColor(60, 60, 0));
    for (const Stretch& s : stretches) {
        const int slant = std::min(3, (s.x1 - s.x0) / 2);
        const QPoint corners[] = {{s.x0, middle}, {s.x0 + slant, top},    {s.x1 - slant, top},
                                  {s.x1, middle}, {s.x1 - slant, bottom}, {s.x0 + slant, bottom}};
        painter.drawPolygon(corners, 6);
    }
    painter.setPen(byteColour());
    for (const Stretch& s : stretches)
        if (s.x1 - s.x0 >= textWidth) {
            // The value stays readable where its stretch starts out of view.
            const int left = std::max(s.x0, gutter_);
            if (s.x1 - left >= textWidth)
                painter.drawText(QRect(left, y, s.x1 - left, lane.height), Qt::AlignCenter,
                                 QString::asprintf("%02X", s.value));
        }
}

} // namespace mirel::shell
