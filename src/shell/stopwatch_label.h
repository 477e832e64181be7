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

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    debug::Debugger& debugger_;
};

} // namespace mirel::shell
