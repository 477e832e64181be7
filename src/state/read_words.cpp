#include "read_words.h"

#include "program_text.h"

#include <algorithm>

namespace mirel::state {

namespace {

// The line without its address, compact: what a renumbering leaves alone.
std::string statementOf(const std::string& line) {
    std::string compact = compactText(line);
    const bool addressed =
        compact.size() >= 4 && std::all_of(compact.begin(), compact.begin() + 4, [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
        });
    return addressed ? compact.substr(4) : compact;
}

} // namespace

ReadWords::ReadWords(TextList& code) : code_(code) {
    code_.addObserver(this);
}

ReadWords::~ReadWords() {
    code_.removeObserver(this);
}

void ReadWords::keep(std::vector<int> words) {
    words.resize(static_cast<std::size_t>(code_.count()), -1);
    words_ = std::move(words);
    statements_.clear();
    for (int i = 0; i < code_.count(); ++i)
        statements_.push_back(words_[static_cast<std::size_t>(i)] >= 0 ? statementOf(code_.line(i))
                                                                       : std::string());
}

void ReadWords::lineInserted(int index) {
    if (words_.empty())
        return;
    words_.insert(words_.begin() + index, -1);
    statements_.insert(statements_.begin() + index, std::string());
}

void ReadWords::lineRemoved(int index) {
    if (words_.empty())
        return;
    words_.erase(words_.begin() + index);
    statements_.erase(statements_.begin() + index);
}

void ReadWords::lineReplaced(int index) {
    const auto at = static_cast<std::size_t>(index);
    if (at < words_.size() && words_[at] >= 0 && statementOf(code_.line(index)) != statements_[at])
        words_[at] = -1;
}

void ReadWords::linesReset() {
    words_.clear();
    statements_.clear();
}

} // namespace mirel::state
