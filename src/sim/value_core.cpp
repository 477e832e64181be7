#include "value_core.h"

#include "instruction_rules.h"
#include "return_stack.h"
#include "state/register_file.h"

#include <cstring>

namespace mirel::sim {

namespace {

using Op = ValueLine::Op;

constexpr int lastRegister = state::registerCount - 1;

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

bool hexDigit(char c, int& d) {
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    else
        return false;
    return true;
}

// W as setW writes it, two upper-case digits, with the bit captions in step.
bool readW(const state::MainForm& form, int& value) {
    const std::string& text = form.W.text();
    int high = 0, low = 0;
    if (text.size() != 2 || !hexDigit(text[0], high) || !hexDigit(text[1], low))
        return false;
    value = high * 16 + low;
    for (std::size_t i = 0; i < 8; ++i)
        if (form.RW[i].text() != (((value >> i) & 1) != 0 ? "1" : "0"))
            return false;
    return true;
}

int tickedBits(const std::array<state::CheckBoxModel, 8>& boxes) {
    int bits = 0;
    for (std::size_t i = 0; i < 8; ++i)
        bits |= (boxes[i].value() != 0 ? 1 : 0) << i;
    return bits;
}

} // namespace

void ValueCore::resolve(int index) {
    const Instruction& instruction = program_.at(index);
    const bool transfer = instruction.rule == jmp || instruction.rule == jsr;
    lines_[static_cast<std::size_t>(index)] =
        resolveLine(instruction, transfer ? program_.targetLine(index) : std::optional<int>{});
}

bool ValueCore::topEntry(int& entry) const {
    if (!put_.empty()) {
        entry = put_.back();
        return true;
    }
    const int line = foundDepth_ - taken_; // the heading is line 0
    return line >= 1 && readEntry(form_->SPReg.line(line), entry);
}

// Looked at before anything is copied: a program that keeps meeting such
// steps pays only this for each of them.
bool ValueCore::textRulesTakeNextStep(const state::MainForm& form) {
    const int selected = form.Code.selectedIndex();
    const ValueLine& next = line(selected < 0 ? 0 : selected);
    const int index = next.index[static_cast<std::size_t>(
        (form.registers.value(state::STATUS) & state::bankMask) >> 5)];
    switch (next.op) {
    case Op::Text:
        return true;
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

bool ValueCore::load(const state::MainForm& form) {
    if (form.model != device::Model::Teaching || form.Code.empty() ||
        form.Reg.count() != state::registerCount || form.SPReg.empty() || !readW(form, w_))
        return false;
    lineCount_ = form.Code.count();
    if (linesOf_ != program_.version() || lines_.size() != static_cast<std::size_t>(lineCount_)) {
        lines_.assign(static_cast<std::size_t>(lineCount_), ValueLine{});
        linesOf_ = program_.version();
    }
    if (textRulesTakeNextStep(form))
        return false;
    form_ = &form;
    std::memcpy(values_.data(), form.registers.values().data(), state::registerCount);
    std::memcpy(wellFormed_.data(), form.registers.wellFormedFlags().data(), state::registerCount);
    wStored_ = false;
    selected_ = form.Code.selectedIndex();
    foundDepth_ = form.SPReg.count() - 1;
    taken_ = 0;
    put_.clear();
    tickedA_ = tickedBits(form.InA);
    tickedB_ = tickedBits(form.InB);
    unsigned lamps = 0, shown = 0, enabled = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        lamps |= (form.RA[i].lit() ? 1u : 0u) << i | (form.RB[i].lit() ? 1u : 0u) << (i + 8);
        shown |= (form.InA[i].visible() ? 1u : 0u) << i | (form.InB[i].visible() ? 1u : 0u)
                                                              << (i + 8);
        enabled |= (form.InA[i].enabled() ? 1u : 0u) << i | (form.InB[i].enabled() ? 1u : 0u)
                                                                << (i + 8);
    }
    lamps_ = static_cast<std::uint16_t>(lamps);
    boxesShown_ = static_cast<std::uint16_t>(shown);
    boxesEnabled_ = static_cast<std::uint16_t>(enabled);
    return true;
}

long long ValueCore::run(long long count, const std::vector<char>* stops,
                         ValueStepRecorder* recorder) {
    recorder_ = recorder;
    return recorder ? steps<true>(count, stops) : steps<false>(count, stops);
}

// A write makes the line the standard text of the value; one that changes
// neither value nor text is no change.
template <bool Recording> void ValueCore::put(int index, int value) {
    if (index > lastRegister)
        return;
    const auto at = static_cast<std::size_t>(index);
    if constexpr (Recording) {
        if (values_[at] != value || !wellFormed_[at])
            recorder_->registerWritten(index, value);
    }
    values_[at] = static_cast<std::uint8_t>(value);
    wellFormed_[at] = 1;
}

// The flags live in every copy of STATUS, each changed from its own value.
template <bool Recording> void ValueCore::setZ(bool zero) {
    for (int copy : state::statusCopies) {
        const int v = values_[static_cast<std::size_t>(copy)];
        put<Recording>(copy, zero ? v | state::zMask : v & ~state::zMask);
    }
}

template <bool Recording> void ValueCore::setC(bool carry) {
    for (int copy : state::statusCopies) {
        const int v = values_[static_cast<std::size_t>(copy)];
        put<Recording>(copy, carry ? v | state::cMask : v & ~state::cMask);
    }
}

template <bool Recording> void ValueCore::setW(int value) {
    w_ = value;
    wStored_ = true;
    if constexpr (Recording)
        recorder_->wWritten(value);
}

// One cycle as the text rules run it: the INDF mirror, the instruction, the
// advance, the port inputs merged, the INDF write-back.
template <bool Recording>
long long ValueCore::steps(long long count, const std::vector<char>* stops) {
    const int last = lineCount_ - 1;
    const auto stopAt = [stops](int line) {
        return stops && static_cast<std::size_t>(line) < stops->size() &&
               (*stops)[static_cast<std::size_t>(line)];
    };
    long long done = 0;
    while (done < count) {
        const int current = selected_ < 0 ? 0 : selected_;
        const ValueLine& l = line(current);
        const int bankBits = (values_[state::STATUS] & state::bankMask) >> 5;
        const int index = l.index[static_cast<std::size_t>(bankBits)];
        const auto at = static_cast<std::size_t>(index);
        int entry = 0;
        if (l.guarded) [[unlikely]] {
            switch (l.op) {
            case Op::Text:
                return done;
            case Op::Sta:
                if (index != state::INDF && index <= lastRegister && !wellFormed_[at])
                    return done; // the text of W goes into a line typed by hand
                break;
            case Op::Jsr:
                if (stackDepth() >= stackLimit)
                    return done; // a message: the stack is full
                break;
            case Op::Ret:
            case Op::Rts:
                if (!topEntry(entry) || entry + 1 > last)
                    return done; // a message: nothing to return to
                break;
            default:
                break;
            }
        }
        if constexpr (Recording)
            recorder_->valueStepStarting(selected_);

        const int target = values_[state::FSR] + 128 * bankBits;
        put<Recording>(state::INDF, values_[static_cast<std::size_t>(target)]);
        const int w = w_;
        const int a = l.literal ? l.operand : values_[at];
        bool indf = false;
        const auto store = [&](int value) {
            indf |= index == state::INDF;
            put<Recording>(index, value);
        };
        const auto result = [&](int value) {
            if (l.toW)
                setW<Recording>(value);
            else
                store(value);
        };
        int next = current; // a skip moves it on by one
        int jumpTo = -1;
        switch (l.op) {
        case Op::Sta:
            store(w);
            break;
        case Op::ClrW:
            setW<Recording>(0);
            break;
        case Op::ClrRegister:
            store(0);
            break;
        case Op::Sub: {
            const bool borrow = a < w;
            setC<Recording>(!borrow);
            const int r = a + (borrow ? 256 : 0) - w;
            setZ<Recording>(r == 0);
            result(r);
            break;
        }
        case Op::Add: {
            const int sum = a + w;
            setZ<Recording>((sum & 0xFF) == 0);
            setC<Recording>(sum > 255);
            result(sum & 0xFF);
            break;
        }
        case Op::Ora:
            setZ<Recording>((a | w) == 0);
            result(a | w);
            break;
        case Op::And:
            setZ<Recording>((a & w) == 0);
            result(a & w);
            break;
        case Op::Xor:
            setZ<Recording>((a ^ w) == 0);
            result(a ^ w);
            break;
        case Op::Lda:
            setZ<Recording>(a == 0);
            result(a);
            break;
        case Op::Dec:
        case Op::Dez: {
            const int r = (a + 255) & 0xFF;
            if (l.op == Op::Dez && r == 0)
                ++next;
            setZ<Recording>(r == 0);
            result(r);
            break;
        }
        case Op::Inc:
        case Op::Inz: {
            const int r = (a + 1) & 0xFF;
            if (l.op == Op::Inz && r == 0)
                ++next;
            setZ<Recording>(r == 0);
            result(r);
            break;
        }
        case Op::Cpl:
            result(255 - a);
            break;
        case Op::Rra: {
            const int carry = values_[state::STATUS] & state::cMask;
            setC<Recording>((a & 1) != 0);
            result(carry * 128 + a / 2);
            break;
        }
        case Op::Rla: {
            const int carry = values_[state::STATUS] & state::cMask;
            setC<Recording>(a >= 128);
            result(((a * 2) & 0xFF) + carry);
            break;
        }
        case Op::Spa:
            result((a % 16) * 16 + a / 16);
            break;
        case Op::Res:
            store(a & ~l.mask & 0xFF);
            break;
        case Op::Set:
            store(a | l.mask);
            break;
        case Op::Jbr:
            if ((a & l.mask) == 0)
                ++next;
            break;
        case Op::Jbs:
            if ((a & l.mask) != 0)
                ++next;
            break;
        case Op::Jmp:
            jumpTo = l.target;
            break;
        case Op::Jsr:
            put_.push_back(current);
            if constexpr (Recording)
                recorder_->stackPushed(current);
            jumpTo = l.target;
            break;
        case Op::Ret:
            setW<Recording>(l.operand);
            [[fallthrough]];
        case Op::Rts:
            if (!put_.empty())
                put_.pop_back();
            else
                ++taken_;
            if constexpr (Recording)
                recorder_->stackPopped();
            jumpTo = entry + 1;
            break;
        default: // Nop
            break;
        }
        const bool transfer = jumpTo >= 0;
        selected_ = transfer ? jumpTo : next < last ? next + 1 : last;

        // The lamps and boxes follow the ports and directions as the
        // instruction left them; then ticked inputs merge into the ports.
        const int portA = values_[state::PORTA], portB = values_[state::PORTB];
        const int trisA = values_[state::TRISA], trisB = values_[state::TRISB];
        shownPorts_ = {portA, portB, trisA, trisB};
        if constexpr (Recording) {
            const auto lamps = static_cast<std::uint16_t>(portA | portB << 8);
            const auto boxes = static_cast<std::uint16_t>(trisA | trisB << 8);
            if (lamps != lamps_ || boxes != boxesShown_ || boxes != boxesEnabled_) {
                recorder_->controlsChanged(lamps, boxes);
                lamps_ = lamps;
                boxesShown_ = boxesEnabled_ = boxes;
            }
        }
        put<Recording>(state::PORTA, (portA | tickedA_) & ((~trisA | tickedA_) & 0xFF));
        put<Recording>(state::PORTB, (portB | tickedB_) & ((~trisB | tickedB_) & 0xFF));
        if (indf)
            put<Recording>(target, values_[state::INDF]);

        ++done;
        if constexpr (Recording)
            recorder_->valueStepFinished(transfer || next != current ? 2 : 1);
        if (stopAt(selected_))
            return done;
    }
    return done;
}

} // namespace mirel::sim
