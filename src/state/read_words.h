#pragma once

#include "text_list.h"

#include <string>
#include <vector>

namespace mirel::state {

// The words a hex file gave Code's lines, each kept while its line's
// statement stays as read: a word with bits the instruction ignores (0103 for
// CLR W) then saves as it was read, not as the assembler writes it. A line
// moved to another address by a renumbering keeps its word.
class ReadWords final : private TextListObserver {
public:
    explicit ReadWords(TextList& code);
    ~ReadWords() override;
    ReadWords(const ReadWords&) = delete;
    ReadWords& operator=(const ReadWords&) = delete;

    // One word per line of Code as it stands now, -1 for a line read from none.
    void keep(std::vector<int> words);
    // The word line `index` was read from; -1 when none, or its statement changed since.
    int word(int index) const {
        return index >= 0 && index < static_cast<int>(words_.size())
                   ? words_[static_cast<std::size_t>(index)]
                   : -1;
    }

private:
    void lineInserted(int index) override;
    void lineRemoved(int index) override;
    void lineReplaced(int index) override;
    void linesReset() override;

    TextList& code_;
    std::vector<int> words_;              // empty when no line was read from a word
    std::vector<std::string> statements_; // each line's statement as read
};

} // namespace mirel::state
