// The overlay's storage: what the cycle writes is kept beside the form.
#include "teaching_overlay.h"

#include "sim/ports.h"
#include "sim/teaching/on_form.h"
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
    if (const auto value = sim::teaching::storedW(form_, index))
        write(index, *value);
    else
        write(index, state::readHex(state::mid(sim::teaching::lineOfWText(form_, index), 6, 2)));
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
    const int trisA = read(state::TRISA);
    const int trisB = read(state::TRISB);
    write(state::PORTA, sim::withInputs(read(state::PORTA), trisA, form_.InA));
    write(state::PORTB, sim::withInputs(read(state::PORTB), trisB, form_.InB));
}

std::vector<RegisterChange> TeachingOverlay::registerChanges() const {
    std::vector<RegisterChange> out;
    for (const auto& [index, value] : writes_)
        if (value != state::readRegister(form_, index))
            out.push_back({index, value});
    return out;
}

} // namespace mirel::debug
