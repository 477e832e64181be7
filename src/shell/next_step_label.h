#pragma once

#include "sim/simulator.h"
#include "state/main_form.h"

#include <QObject>
#include <QTimer>

class QLabel;

namespace mirel::shell {

// Shows the explanation of the next Step in a label. Any change of the
// program, the selection, the registers, W, the stack or the input boxes
// marks it stale; it is worked out again once the event loop has its turn,
// and only while the views are shown. While they are hidden (a fast run) it
// does not even listen, so such a run never pays for it; the views shown
// again bring it up to date.
class NextStepLabel final : public QObject,
                            private state::ChangeObserver,
                            private state::TextListObserver {
public:
    // Lives as a child of the label.
    NextStepLabel(QLabel& label, state::MainForm& form, sim::Simulator& simulator);
    ~NextStepLabel() override;
    NextStepLabel(const NextStepLabel&) = delete;
    // What the label is for, the first part of its tooltip.
    static inline const QString about = QStringLiteral(
        "What the selected program line will do on the next Step, with the values as they are now");
    NextStepLabel& operator=(const NextStepLabel&) = delete;
    // A line shown above the explanation until the program or the machine
    // next changes; empty shows none.
    void announce(const QString& line);

private:
    void changed() override; // W, an input box, or the views shown or hidden
    void lineInserted(int) override { stale(); }
    void lineRemoved(int) override { stale(); }
    void lineReplaced(int) override { stale(); }
    void linesReset() override { stale(); }
    void selectionChanged(int) override { stale(); }
    void selectionShifted(int) override { stale(); }
    void stale();
    void show();
    // Listens to the machine while the views are shown.
    void follow(bool on);

    QLabel& label_;
    state::MainForm& form_;
    sim::Simulator& simulator_;
    QTimer update_;
    bool stale_ = true;
    bool following_ = false;
    QString announcement_;
    bool announced_ = false; // the announcement was shown: the next change ends it
};

} // namespace mirel::shell
