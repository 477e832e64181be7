#pragma once

#include "debug/debugger.h"

#include <QLabel>

namespace mirel::shell {

// The status bar's stopwatch: the cycles since it was last started, and
// those between the last two stops at a breakpoint. A click starts it again.
class StopwatchLabel final : public QLabel {
    Q_OBJECT
public:
    StopwatchLabel(debug::Debugger& debugger, QWidget* parent);
    void refresh();
    // Never wider than its short form, so that large counts do not widen the window.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The longest of the texts that fits the label's width.
    void fit();

    debug::Debugger& debugger_;
    QStringList forms_; // the texts, longest first
};

} // namespace mirel::shell
