#include "run_messages.h"

namespace mirel::sim {

void RunMessages::show(const std::string& text, const std::string& title, state::MessageIcon icon) {
    if (!form_.Timer1.enabled()) {
        boxes_.show(text, title, icon);
        return;
    }
    shown_ = true;
    if (boxes_.showWithStop(text, title, icon) == state::MessageAnswer::Stop)
        stop_ = true;
}

} // namespace mirel::sim
