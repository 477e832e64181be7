#pragma once

#include <array>
#include <string>

namespace mirel::debug {

// A text box's text as the change highlight keeps it: kept and compared in a
// few instructions while it is two characters long, as a step writes W; any
// other text the user typed is kept whole.
class KeptText {
public:
    KeptText() = default;
    explicit KeptText(const std::string& text) { assign(text); }

    void assign(const std::string& text) {
        short_ = text.size() == 2;
        if (short_) [[likely]]
            pair_ = {text[0], text[1]};
        else
            long_ = text;
    }
    void assign(const KeptText& kept) {
        short_ = kept.short_;
        if (short_) [[likely]]
            pair_ = kept.pair_;
        else
            long_ = kept.long_;
    }
    bool equals(const std::string& text) const {
        if (short_)
            return text.size() == 2 && text[0] == pair_[0] && text[1] == pair_[1];
        return text == long_;
    }

private:
    bool short_ = false;
    std::array<char, 2> pair_{};
    std::string long_;
};

} // namespace mirel::debug
