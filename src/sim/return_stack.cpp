#include "return_stack.h"

#include <charconv>
#include <string>

namespace mirel::sim {

namespace {
constexpr const char* heading = "SP";

// A stack line is written by pushReturn; anything else reads as far as its digits go.
int readDecimal(const std::string& text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}
} // namespace

int stackDepth(const state::MainForm& form) {
    return form.SPReg.count() > 0 ? form.SPReg.count() - 1 : 0;
}

void pushReturn(state::MainForm& form, state::MessageBoxService& messages, int callingIndex) {
    form.SPReg.append(std::to_string(callingIndex));
    if (stackDepth(form) > stackLimit)
        messages.show(stackOverflowMessage, state::applicationTitle, state::MessageIcon::None);
}

int popReturn(state::MainForm& form, state::MessageBoxService& messages) {
    state::TextList& stack = form.SPReg;
    std::string top;
    if (!stack.empty()) {
        top = stack.line(stack.count() - 1);
        stack.removeAt(stack.count() - 1);
    }
    // Taking the heading means there was no entry: it goes back, the answer is 0.
    if (stack.empty()) {
        messages.show(stackUnderflowMessage, state::applicationTitle, state::MessageIcon::None);
        stack.append(heading);
        return 0;
    }
    return readDecimal(top);
}

} // namespace mirel::sim
