#include "stopwatch_label.h"

#include <QMouseEvent>

namespace mirel::shell {

StopwatchLabel::StopwatchLabel(debug::Debugger& debugger, QWidget* parent)
    : QLabel(parent), debugger_(debugger) {
    setObjectName(QStringLiteral("Stopwatch"));
    setToolTip(QStringLiteral("Instruction cycles since the stopwatch started (1 cycle = 1 "
                              "\u00b5s at 4 MHz). Click to start it again from here."));
    setCursor(Qt::PointingHandCursor);
    const int blank = fontMetrics().averageCharWidth();
    setContentsMargins(blank, 0, blank, 0);
    refresh();
}

void StopwatchLabel::refresh() {
    const debug::CycleCount since = debugger_.stopwatch().elapsed(debugger_.count());
    QString text = QStringLiteral("Stopwatch: %1 cycles (%1 \u00b5s)").arg(since.cycles);
    if (const auto& lap = debugger_.stopwatch().lap())
        text += QStringLiteral("   between breakpoints: %1 cycles").arg(lap->cycles);
    setText(text);
}

void StopwatchLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        debugger_.stopwatch().restart(debugger_.count());
        refresh();
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace mirel::shell
