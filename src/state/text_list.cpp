#include "text_list.h"

#include <stdexcept>

namespace mirel::state {

const std::vector<std::string>& TextList::lines() const {
    if (maker_)
        for (int i = 0; i < count(); ++i)
            line(i);
    return lines_;
}

void TextList::makeLine(int i) const {
    const auto at = static_cast<std::size_t>(i);
    maker_->makeLine(i, lines_[at]);
    unmade_[at] = 0;
}

void TextList::append(std::string text) {
    aboutToChange();
    lines_.push_back(std::move(text));
    const int index = count() - 1;
    if (maker_) {
        unmade_.push_back(0);
        maker_->textInserted(index);
    }
    observers_.notify([index](TextListObserver& o) { o.lineInserted(index); });
}

void TextList::insertAt(int i, std::string text) {
    if (i < 0 || i > count())
        throw std::out_of_range("TextList::insertAt");
    aboutToChange();
    // A made line's text depends on its index: the lines that move are made first.
    lines();
    lines_.insert(lines_.begin() + i, std::move(text));
    if (maker_) {
        unmade_.insert(unmade_.begin() + i, 0);
        maker_->textInserted(i);
    }
    observers_.notify([i](TextListObserver& o) { o.lineInserted(i); });
    if (selected_ >= i)
        shiftSelection(selected_ + 1);
}

void TextList::removeAt(int i) {
    if (!validIndex(i))
        throw std::out_of_range("TextList::removeAt");
    aboutToChange();
    lines();
    // A list box forgets its selection when the selected line goes away.
    lines_.erase(lines_.begin() + i);
    if (maker_) {
        unmade_.erase(unmade_.begin() + i);
        maker_->textRemoved(i);
    }
    observers_.notify([i](TextListObserver& o) { o.lineRemoved(i); });
    if (selected_ == i)
        shiftSelection(-1);
    else if (selected_ > i)
        shiftSelection(selected_ - 1);
}

void TextList::replaceAt(int i, std::string text) {
    if (!validIndex(i))
        throw std::out_of_range("TextList::replaceAt");
    // The same text again is no change: the views need not repaint it.
    if (line(i) == text)
        return;
    aboutToChange();
    lines_[static_cast<std::size_t>(i)] = std::move(text);
    if (maker_)
        maker_->textReplaced(i);
    observers_.notify([i](TextListObserver& o) { o.lineReplaced(i); });
}

void TextList::checkMade(int i) const {
    if (!maker_ || !validIndex(i))
        throw std::out_of_range("TextList::changeMadeLine");
}

void TextList::setLineMaker(LineMaker* maker) {
    lines();
    maker_ = maker;
    unmade_.assign(maker ? lines_.size() : 0, 0);
}

void TextList::clear() {
    assign({});
}

void TextList::assign(std::vector<std::string> lines) {
    aboutToChange();
    const bool hadSelection = selected_ != -1;
    selected_ = -1;
    lines_ = std::move(lines);
    if (maker_) {
        unmade_.assign(lines_.size(), 0);
        maker_->textReset();
    }
    observers_.notify([](TextListObserver& o) { o.linesReset(); });
    if (hadSelection)
        selectionObservers_.notify([](TextListObserver& o) { o.selectionShifted(-1); });
}

void TextList::select(int i) {
    if (!validIndex(i))
        throw std::out_of_range("TextList::select");
    if (i == selected_)
        return;
    selected_ = i;
    selectionObservers_.notify([i](TextListObserver& o) { o.selectionChanged(i); });
}

void TextList::clearSelection() {
    if (selected_ != -1)
        shiftSelection(-1);
}

void TextList::shiftSelection(int i) {
    selected_ = i;
    selectionObservers_.notify([i](TextListObserver& o) { o.selectionShifted(i); });
}

} // namespace mirel::state
