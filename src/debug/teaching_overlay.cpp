// The overlay's storage: what the cycle writes is kept beside the form.
#include "teaching_overlay.h"

#include "state/program_counter.h"
#include "state/program_text.h"
#include "state/register_file.h"

#include <charconv>

namespace mirel::debug {

TeachingOverlay::TeachingOverlay(const state::MainForm& form, const sim::Instruction& instruction,
                                 const sim::ValueLine& line)
    : form_(form), instruction_(instruction), line_(line),
      indirectTarget_(state::indirectTarget(form)), selected_(form.Code.selectedIndex()) {}

int TeachingOverlay::registerIndex(const sim::ValueLine& l) const {
    return state::bankedIndex(form_, l.operand, l.shared);
}

// The line made from W's text reads back as its first two characters.
void TeachingOverlay::storeW(int index) {
    if (const auto value = state::plainW(form_); value && form_.registers.wellFormed(index)) {
        write(index, *value);
        return;
    }
    std::string text = state::upperCase(form_.W.text());
    if (text.size() < 2)
        text.insert(0, 2 - text.size(), '0');
    const std::string line = state::registerLineFromText(state::mid(form_.Reg.line(index), 1, 4),
                                                         text, state::WTrans(form_));
    write(index, state::readHex(state::mid(line, 6, 2)));
}

void TeachingOverlay::push(int callingLine) {
    std::vector<std::string>& stack = stackLines();
    stack.push_back(std::to_string(callingLine));
    pushWords_ = "pushes " + std::to_string(callingLine);
    if (static_cast<int>(stack.size()) - 1 > sim::stackLimit) {
        warn(sim::stackOverflowMessage);
        pushWords_ += std::string(" (") + sim::stackOverflowMessage + ")";
    }
    pushWords_ += ", ";
}

// As popReturn: taking the heading means there was no entry; it goes back.
int TeachingOverlay::pop() {
    std::vector<std::string>& stack = stackLines();
    std::string top;
    if (!stack.empty()) {
        top = stack.back();
        stack.pop_back();
    }
    if (stack.empty()) {
        warn(sim::stackUnderflowMessage);
        stack.emplace_back("SP");
        popped_.reset();
        return 0;
    }
    popped_ = top;
    int value = 0;
    std::from_chars(top.data(), top.data() + top.size(), value);
    return value;
}

// The tail's port inputs: a pin whose direction bit is 1 takes its box's
// level; an output pin keeps its value unless its box is still ticked. Both
// directions are read before either port is merged.
void TeachingOverlay::portTail() {
    const auto merge = [this](int port, int tris,
                              const std::array<state::CheckBoxModel, 8>& boxes) {
        int orBits = 0;
        int andMask = 0;
        for (int i = 0; i < 8; ++i) {
            const int ticked = boxes[static_cast<std::size_t>(i)].value() != 0 ? 1 : 0;
            orBits |= ticked << i;
            andMask |= (((tris >> i) & 1) != 0 ? ticked : 1) << i;
        }
        write(port, (read(port) | orBits) & andMask);
    };
    const int trisA = read(state::TRISA);
    const int trisB = read(state::TRISB);
    merge(state::PORTA, trisA, form_.InA);
    merge(state::PORTB, trisB, form_.InB);
}

std::vector<RegisterChange> TeachingOverlay::registerChanges() const {
    std::vector<RegisterChange> out;
    for (const auto& [index, value] : writes_)
        if (value != state::readRegister(form_, index))
            out.push_back({index, value});
    return out;
}

} // namespace mirel::debug
