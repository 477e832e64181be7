#include "text_list.h"

#include <stdexcept>

namespace mirel::state {

void TextList::append(std::string text) {
    lines_.push_back(std::move(text));
    const int index = count() - 1;
    observers_.notify([index](TextListObserver& o) { o.lineInserted(index); });
}

void TextList::insertAt(int i, std::string text) {
    if (i < 0 || i > count())
        throw std::out_of_range("TextList::insertAt");
    lines_.insert(lines_.begin() + i, std::move(text));
    observers_.notify([i](TextListObserver& o) { o.lineInserted(i); });
    if (selected_ >= i)
        shiftSelection(selected_ + 1);
}

void TextList::removeAt(int i) {
    if (!validIndex(i))
        throw std::out_of_range("TextList::removeAt");
    // A list box forgets its selection when the selected line goes away.
    lines_.erase(lines_.begin() + i);
    observers_.notify([i](TextListObserver& o) { o.lineRemoved(i); });
    if (selected_ == i)
        shiftSelection(-1);
    else if (selected_ > i)
        shiftSelection(selected_ - 1);
}

void TextList::replaceAt(int i, std::string text) {
    if (!validIndex(i))
        throw std::out_of_range("TextList::replaceAt");
    auto& line = lines_[static_cast<std::size_t>(i)];
    // The same text again is no change: the views need not repaint it.
    if (line == text)
        return;
    line = std::move(text);
    observers_.notify([i](TextListObserver& o) { o.lineReplaced(i); });
}

void TextList::clear() {
    assign({});
}

void TextList::assign(std::vector<std::string> lines) {
    const bool hadSelection = selected_ != -1;
    selected_ = -1;
    lines_ = std::move(lines);
    observers_.notify([](TextListObserver& o) { o.linesReset(); });
    if (hadSelection)
        observers_.notify([](TextListObserver& o) { o.selectionShifted(-1); });
}

void TextList::select(int i) {
    if (!validIndex(i))
        throw std::out_of_range("TextList::select");
    if (i == selected_)
        return;
    selected_ = i;
    observers_.notify([i](TextListObserver& o) { o.selectionChanged(i); });
}

void TextList::clearSelection() {
    if (selected_ != -1)
        shiftSelection(-1);
}

void TextList::shiftSelection(int i) {
    selected_ = i;
    observers_.notify([i](TextListObserver& o) { o.selectionShifted(i); });
}

} // namespace mirel::state
