#include "counter_model.h"

#include "program_text.h"

#include <algorithm>

namespace mirel::state {

CounterModel::CounterModel(TextList& code) : code_(code) {
    code_.addObserver(this);
}

CounterModel::~CounterModel() {
    code_.removeObserver(this);
}

const std::string& CounterModel::editText() const {
    if (editIsFirstEntry_) {
        editIsFirstEntry_ = false;
        editText_.clear();
        for (char c : code_.line(first_)) {
            if (c == '\t')
                editText_.append(5, ' ');
            else
                editText_.push_back(c);
        }
    }
    return editText_;
}

std::string CounterModel::entry(int i) const {
    if (i < 0 || i >= entryCount())
        return {};
    return tabsAsBlanks(code_.line(first_ + i));
}

void CounterModel::setEditText(std::string text) {
    editText_ = std::move(text);
    editIsFirstEntry_ = false;
    caret_ = std::min(caret_, static_cast<int>(editText_.size()));
    selectedEntry_ = -1;
    observers_.notify([](CounterObserver& o) { o.editChanged(); });
}

void CounterModel::setCaret(int position) {
    caret_ = std::clamp(position, 0, static_cast<int>(editText().size()));
    observers_.notify([](CounterObserver& o) { o.editChanged(); });
}

} // namespace mirel::state
