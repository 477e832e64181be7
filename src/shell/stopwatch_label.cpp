#include "stopwatch_label.h"

#include <QMouseEvent>

namespace mirel::shell {

StopwatchLabel::StopwatchLabel(debug::Debugger& debugger, QWidget* parent)
    : QLabel(parent), debugger_(debugger) {
    setObjectName(QStringLiteral("Stopwatch"));
    setCursor(Qt::PointingHandCursor);
    const int blank = fontMetrics().averageCharWidth();
    setContentsMargins(blank, 0, blank, 0);
    refresh();
}

void StopwatchLabel::refresh() {
    const debug::CycleCount since = debugger_.stopwatch().elapsed(debugger_.count());
    const QString elapsed = QStringLiteral("Stopwatch: %1 cycles").arg(since.cycles);
    const QString time = QStringLiteral(" (%1 \u00b5s)").arg(since.cycles);
    forms_.clear();
    if (const auto& lap = debugger_.stopwatch().lap()) {
        const QString between =
            QStringLiteral("   between breakpoints: %1 cycles").arg(lap->cycles);
        forms_ << elapsed + time + between << elapsed + between;
    }
    forms_ << elapsed + time << elapsed;
    setToolTip(forms_.front() +
               QStringLiteral("\nInstruction cycles since the stopwatch started (1 cycle = 1 "
                              "\u00b5s at 4 MHz). Click to start it again from here."));
    updateGeometry();
    fit();
}

QSize StopwatchLabel::minimumSizeHint() const {
    const QMargins m = contentsMargins();
    return {fontMetrics().horizontalAdvance(forms_.back()) + m.left() + m.right(),
            QLabel::minimumSizeHint().height()};
}

QSize StopwatchLabel::sizeHint() const {
    const QMargins m = contentsMargins();
    return {fontMetrics().horizontalAdvance(forms_.front()) + m.left() + m.right(),
            QLabel::sizeHint().height()};
}

void StopwatchLabel::fit() {
    const int room = contentsRect().width();
    for (const QString& form : forms_)
        if (fontMetrics().horizontalAdvance(form) <= room || form == forms_.back()) {
            if (text() != form)
                setText(form);
            return;
        }
}

void StopwatchLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

void StopwatchLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        debugger_.stopwatch().restart(debugger_.count());
        refresh();
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace mirel::shell
