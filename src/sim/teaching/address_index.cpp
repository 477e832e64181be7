#include "address_index.h"

#include "state/hex_text.h"
#include "state/program_text.h"

namespace mirel::sim {

int lineAddress(std::string_view line) {
    return state::readHex(state::mid(line, 1, 4));
}

std::optional<int> firstLineWithAddress(const state::TextList& code, int address) {
    for (int i = 0; i < code.count(); ++i)
        if (lineAddress(code.line(i)) == address)
            return i;
    return std::nullopt;
}

AddressIndex::AddressIndex(state::TextList& code) : code_(code) {
    code_.addObserver(this);
}

AddressIndex::~AddressIndex() {
    code_.removeObserver(this);
}

std::optional<int> AddressIndex::firstLineWith(int address) const {
    if (stale_)
        rebuild();
    const auto found = firstLine_.find(address);
    if (found == firstLine_.end())
        return std::nullopt;
    return found->second;
}

void AddressIndex::rebuild() const {
    firstLine_.clear();
    firstLine_.reserve(static_cast<std::size_t>(code_.count()));
    // try_emplace keeps the earlier line when two lines carry one address.
    for (int i = 0; i < code_.count(); ++i)
        firstLine_.try_emplace(lineAddress(code_.line(i)), i);
    stale_ = false;
}

} // namespace mirel::sim
