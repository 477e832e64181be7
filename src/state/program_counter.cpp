#include "program_counter.h"

namespace mirel::state {

int currentIndex(const MainForm& form) {
    const int selected = form.Code.selectedIndex();
    return selected < 0 ? 0 : selected;
}

void Code_Click(MainForm& form) {
    if (form.Code.empty())
        form.Counter.clear();
    else
        form.Counter.showFrom(currentIndex(form));
}

void ReLoadCode(MainForm& form, int p) {
    const int last = form.Code.count() - 1;
    if (last < 0)
        return;
    form.Code.select(p < last ? p + 1 : last);
}

} // namespace mirel::state
