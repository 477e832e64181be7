#include "hidden_views.h"

#include <QEvent>
#include <QWidget>

namespace mirel::shell {

FollowWhileShown::FollowWhileShown(QWidget& view, std::vector<Follow> followers)
    : QObject(&view), view_(view), followers_(std::move(followers)) {
    view_.installEventFilter(this);
}

// Hidden by the program itself, as the runs do; shown by it again, or coming
// on the screen with its window, when a highlight may scroll into view anew.
bool FollowWhileShown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &view_) {
        const QEvent::Type type = event->type();
        if (type == QEvent::HideToParent || type == QEvent::ShowToParent || type == QEvent::Show)
            for (const Follow& follow : followers_)
                follow(type != QEvent::HideToParent);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mirel::shell
