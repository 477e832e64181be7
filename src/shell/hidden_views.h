#pragma once

#include <QObject>

#include <functional>
#include <vector>

class QWidget;

namespace mirel::shell {

// The one place that decides when a view's Qt side hears every step. Runs at
// 20 ms and faster, and full speed, hide the lists and the entry line; telling
// a hidden view of each register write and each refill cost more than the
// steps themselves. So while `view` is hidden its followers are told
// follow(false) and only note that they are stale; when it is shown again (the
// run stopped, or went back to a slower speed) each is told follow(true), in
// the order given, and brings itself up to date at once. Whatever must see
// every step (the journal, breakpoints, the counts, the highlight) is core and
// is not told here.
class FollowWhileShown final : public QObject {
public:
    using Follow = std::function<void(bool on)>;
    // Lives as a child of the view.
    FollowWhileShown(QWidget& view, std::vector<Follow> followers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& view_;
    std::vector<Follow> followers_;
};

} // namespace mirel::shell
