#pragma once

#include "state/text_list.h"

#include <optional>
#include <string_view>
#include <unordered_map>

namespace mirel::sim {

// The address field of a program memory line: its first four characters read as hex.
int lineAddress(std::string_view line);

// The first line of Code, in index order, whose address field equals `address`,
// found by walking the list.
std::optional<int> firstLineWithAddress(const state::TextList& code, int address);

// The same answer as firstLineWithAddress without walking the program on every
// jump: the addresses are gathered once and gathered again after Code changes.
class AddressIndex final : public state::TextListObserver {
public:
    explicit AddressIndex(state::TextList& code);
    ~AddressIndex() override;
    AddressIndex(const AddressIndex&) = delete;
    AddressIndex& operator=(const AddressIndex&) = delete;

    std::optional<int> firstLineWith(int address) const;

    void lineInserted(int) override { stale_ = true; }
    void lineRemoved(int) override { stale_ = true; }
    void lineReplaced(int) override { stale_ = true; }
    void linesReset() override { stale_ = true; }

private:
    void rebuild() const;

    state::TextList& code_;
    mutable std::unordered_map<int, int> firstLine_;
    mutable bool stale_ = true;
};

} // namespace mirel::sim
