#pragma once

// The value core's step loop, for each kind of recorder: the plain run
// instantiates it in value_core.cpp, the debugger's recording run in its own
// file, so that neither pays a call per write.
#include "instruction_rules.h"
#include "return_stack.h"
#include "state/register_file.h"
#include "value_core.h"

namespace mirel::sim {

// A write makes the line the standard text of the value; one that changes
// neither value nor text is no change.
template <typename Recorder> inline void ValueCore::put(Recorder& recorder, int index, int value) {
    if (index > lastRegister)
        return;
    const auto at = static_cast<std::size_t>(index);
    if constexpr (Recorder::records) {
        if (values_[at] != value || !wellFormed_[at])
            recorder.registerWritten(index, value);
    }
    values_[at] = static_cast<std::uint8_t>(value);
    wellFormed_[at] = 1;
}

// The flags live in every copy of STATUS, each changed from its own value.
template <typename Recorder> inline void ValueCore::setZ(Recorder& recorder, bool zero) {
    for (int copy : state::statusCopies) {
        const int v = values_[static_cast<std::size_t>(copy)];
        put(recorder, copy, zero ? v | state::zMask : v & ~state::zMask);
    }
}

template <typename Recorder> inline void ValueCore::setC(Recorder& recorder, bool carry) {
    for (int copy : state::statusCopies) {
        const int v = values_[static_cast<std::size_t>(copy)];
        put(recorder, copy, carry ? v | state::cMask : v & ~state::cMask);
    }
}

template <typename Recorder> inline void ValueCore::setW(Recorder& recorder, int value) {
    w_ = value;
    wStored_ = true;
    if constexpr (Recorder::records)
        recorder.wWritten(value);
}

// One cycle as the text rules run it: the INDF mirror, the instruction, the
// advance, the port inputs merged, the INDF write-back.
template <typename Recorder>
long long ValueCore::run(long long count, const std::vector<char>* stops, Recorder& recorder) {
    const int last = lineCount_ - 1;
    cycles_ = 0;
    // Held in locals: the register bytes written below could alias the
    // vector's own fields, which would then be read again after every write.
    const char* const marks = stops ? stops->data() : nullptr;
    const std::size_t markCount = stops ? stops->size() : 0;
    const auto stopAt = [marks, markCount](int line) {
        return static_cast<std::size_t>(line) < markCount && marks[line] != 0;
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
        if constexpr (Recorder::records)
            recorder.valueStepStarting(selected_);

        const int target = values_[state::FSR] + 128 * bankBits;
        put(recorder, state::INDF, values_[static_cast<std::size_t>(target)]);
        const int w = w_;
        const int a = l.literal ? l.operand : values_[at];
        bool indf = false;
        const auto store = [&](int value) {
            indf |= index == state::INDF;
            put(recorder, index, value);
        };
        const auto result = [&](int value) {
            if (l.toW)
                setW(recorder, value);
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
            setW(recorder, 0);
            break;
        case Op::ClrRegister:
            store(0);
            break;
        case Op::Sub: {
            const bool borrow = a < w;
            setC(recorder, !borrow);
            const int r = a + (borrow ? 256 : 0) - w;
            setZ(recorder, r == 0);
            result(r);
            break;
        }
        case Op::Add: {
            const int sum = a + w;
            setZ(recorder, (sum & 0xFF) == 0);
            setC(recorder, sum > 255);
            result(sum & 0xFF);
            break;
        }
        case Op::Ora:
            setZ(recorder, (a | w) == 0);
            result(a | w);
            break;
        case Op::And:
            setZ(recorder, (a & w) == 0);
            result(a & w);
            break;
        case Op::Xor:
            setZ(recorder, (a ^ w) == 0);
            result(a ^ w);
            break;
        case Op::Lda:
            setZ(recorder, a == 0);
            result(a);
            break;
        case Op::Dec:
        case Op::Dez: {
            const int r = (a + 255) & 0xFF;
            if (l.op == Op::Dez && r == 0)
                ++next;
            setZ(recorder, r == 0);
            result(r);
            break;
        }
        case Op::Inc:
        case Op::Inz: {
            const int r = (a + 1) & 0xFF;
            if (l.op == Op::Inz && r == 0)
                ++next;
            setZ(recorder, r == 0);
            result(r);
            break;
        }
        case Op::Cpl:
            result(255 - a);
            break;
        case Op::Rra: {
            const int carry = values_[state::STATUS] & state::cMask;
            setC(recorder, (a & 1) != 0);
            result(carry * 128 + a / 2);
            break;
        }
        case Op::Rla: {
            const int carry = values_[state::STATUS] & state::cMask;
            setC(recorder, a >= 128);
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
            if constexpr (Recorder::records)
                recorder.stackPushed(current);
            jumpTo = l.target;
            break;
        case Op::Ret:
            setW(recorder, l.operand);
            [[fallthrough]];
        case Op::Rts:
            if (!put_.empty())
                put_.pop_back();
            else
                ++taken_;
            if constexpr (Recorder::records)
                recorder.stackPopped();
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
        const auto lamps = static_cast<std::uint16_t>(portA | portB << 8);
        const auto boxes = static_cast<std::uint16_t>(trisA | trisB << 8);
        if (lamps != controls_.lamps || boxes != controls_.boxesShown ||
            boxes != controls_.boxesEnabled) [[unlikely]] {
            if constexpr (Recorder::records)
                recorder.controlsChanged(lamps, boxes);
            controls_ = {lamps, boxes, boxes};
        }
        put(recorder, state::PORTA, (portA | tickedA_) & ((~trisA | tickedA_) & 0xFF));
        put(recorder, state::PORTB, (portB | tickedB_) & ((~trisB | tickedB_) & 0xFF));
        if (indf)
            put(recorder, target, values_[state::INDF]);

        ++done;
        const int cycles = transfer || next != current ? 2 : 1;
        cycles_ += cycles;
        if constexpr (Recorder::records)
            recorder.valueStepFinished(cycles);
        if (stopAt(selected_))
            return done;
    }
    return done;
}

} // namespace mirel::sim
