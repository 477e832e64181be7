#include "value_core.h"

#include "value_core_steps.h"

#include "return_stack.h"
#include "state/hex_text.h"
#include "state/register_file.h"
#include "state/w_register.h"

#include <algorithm>
#include <cstring>

namespace mirel::sim {

namespace {

// A stack line as pushReturn writes it: decimal digits, no leading zero.
bool readEntry(const std::string& text, int& entry) {
    if (text.empty() || text.size() > 9 || (text[0] == '0' && text.size() > 1))
        return false;
    entry = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        entry = entry * 10 + (c - '0');
    }
    return true;
}

// W as setW writes it, two upper-case digits, with the bit captions in step.
bool readW(const state::MainForm& form, int& value) {
    const auto plain = state::plainW(form);
    if (!plain || form.W.text() != state::hex2(*plain))
        return false;
    value = *plain;
    return true;
}

} // namespace

void ValueCore::resolve(int index) {
    lines_[static_cast<std::size_t>(index)] = program_.line(index);
}

bool ValueCore::topEntry(int& entry) {
    if (!put_.empty()) {
        entry = put_.back();
        return true;
    }
    const int line = foundDepth_ - taken_; // the heading is line 0
    if (line < 1)
        return false;
    return readEntry((*stackLines_)[static_cast<std::size_t>(line)], entry);
}

// Looked at before anything is copied: a program that keeps meeting such
// steps pays only this for each of them.
bool ValueCore::textRulesTakeNextStep(const state::MainForm& form) {
    const int selected = form.Code.selectedIndex();
    const ValueLine& next = line(selected < 0 ? 0 : selected);
    const int index = next.index[static_cast<std::size_t>(
        (form.registers.value(state::STATUS) & state::bankMask) >> 5)];
    if (next.form != ValueLine::Form::Instruction)
        return true;
    switch (next.op) {
    case Op::Sta:
        return index != state::INDF && index <= lastRegister && !form.registers.wellFormed(index);
    case Op::Jsr:
        return form.SPReg.count() - 1 >= stackLimit;
    case Op::Ret:
    case Op::Rts: {
        int entry = 0;
        const int top = form.SPReg.count() - 1;
        return top < 1 || !readEntry(form.SPReg.line(top), entry) || entry + 1 >= form.Code.count();
    }
    default:
        return false;
    }
}

bool ValueCore::fixedLineWatched() const {
    bool watched = wWatched_ || watched_.watched(state::INDF) || watched_.watched(state::PORTA) ||
                   watched_.watched(state::PORTB);
    for (int copy : state::statusCopies)
        watched = watched || watched_.watched(copy);
    return watched;
}

bool ValueCore::load(const state::MainForm& form) {
    if (form.model != parts::Model::Teaching || form.Code.empty() ||
        form.Reg.count() != state::registerCount || form.SPReg.empty() || !readW(form, w_))
        return false;
    lineCount_ = form.Code.count();
    if (linesOf_ != program_.version() || lines_.size() != static_cast<std::size_t>(lineCount_)) {
        lines_.assign(static_cast<std::size_t>(lineCount_), ValueLine{});
        linesOf_ = program_.version();
    }
    if (textRulesTakeNextStep(form))
        return false;
    std::memcpy(values_.data(), form.registers.values().data(), state::registerCount);
    std::memcpy(wellFormed_.data(), form.registers.wellFormedFlags().data(), state::registerCount);
    wStored_ = false;
    selected_ = form.Code.selectedIndex();
    stackLines_ = &form.SPReg.lines();
    foundDepth_ = form.SPReg.count() - 1;
    taken_ = 0;
    put_.clear();
    tickedA_ = state::tickedInputs(form.InA);
    tickedB_ = state::tickedInputs(form.InB);
    controls_ = state::readPortControls(form);
    return true;
}

long long ValueCore::run(long long count, const std::vector<char>* stops) {
    NoRecorder none;
    return run(count, stops, none);
}

} // namespace mirel::sim
