#pragma once

// A part's step loop on values, for each kind of recorder: the plain run
// instantiates it in part_value_core.cpp, a recording run in its own file,
// so that neither pays a call per write.
#include "part_step.h"
#include "part_value_core.h"
#include "sim/return_stack.h"

namespace mirel::sim::device {

// The machine part_step.h runs on, kept in the core's bytes: each write
// tells the recorder what changed.
template <typename Recorder>
class PartValueCore::OnValues : public BankedRegisters<OnValues<Recorder>> {
public:
    OnValues(PartValueCore& core, Recorder& recorder, DeviceState& state)
        : BankedRegisters<OnValues>(*core.map_), core_(core), recorder_(recorder), state_(state) {}

    // The low byte of a register's cell; bit 8 is masked off with the
    // register's bits.
    int value(int home) const { return core_.cells_[static_cast<std::size_t>(home)]; }
    // A write reaches every copy, as RegisterBus writes them: it is kept once,
    // at the register's home, and the copies follow when the run is over.
    void store(int home, int value) {
        const auto at = static_cast<std::size_t>(home);
        if constexpr (Recorder::records) {
            const auto& copies = this->map().copies[at];
            for (std::uint8_t i = 0; i < this->map().copyCount[at]; ++i)
                tellWrite(copies[i], value);
        }
        core_.cells_[at] = static_cast<std::uint16_t>(value | written);
    }
    // Port inputs merge into the port's own line alone; the part's port
    // write follows at once.
    void put(int index, int value) {
        if constexpr (Recorder::records)
            tellWrite(index, value);
        core_.cells_[static_cast<std::size_t>(index)] = static_cast<std::uint16_t>(value | written);
    }

    int w() const { return core_.w_; }
    void setW(int value) {
        core_.w_ = value;
        core_.wStored_ = true;
        if constexpr (Recorder::records)
            recorder_.wWritten(value);
    }

    // The slots as pushAddress and popAddress use them; the run stops before
    // a step whose push or pop would show a message, so SPReg only grows and
    // shrinks by its last line.
    void push(int address) {
        DeviceState& s = state_;
        s.stack[s.stackPointer] = static_cast<std::uint16_t>(address);
        s.stackPointer = static_cast<std::uint8_t>((s.stackPointer + 1) & 7);
        core_.put_.push_back(address);
        if constexpr (Recorder::records)
            recorder_.stackPushed(address);
    }
    int pop() {
        DeviceState& s = state_;
        s.stackPointer = static_cast<std::uint8_t>((s.stackPointer + 7) & 7);
        if (!core_.put_.empty())
            core_.put_.pop_back();
        else
            ++core_.taken_;
        if constexpr (Recorder::records)
            recorder_.stackPopped();
        return s.stack[s.stackPointer];
    }

    int currentPc() const { return core_.pc_; }
    int word(int pc) const {
        return core_.words_[static_cast<std::size_t>(pc & core_.addressMask_)];
    }
    // As DeviceMachine shows it: the line that carries the address is
    // selected (and is where the next step starts), or none.
    void showPc(int pc) {
        state_.pc = static_cast<std::uint16_t>(pc);
        const int address = pc & core_.addressMask_;
        const int line = core_.lineOf_[static_cast<std::size_t>(address)];
        if (line >= 0) {
            if (line != core_.selected_)
                core_.picked_ = line;
            core_.pc_ = address;
        } else {
            core_.pc_ = pc;
        }
        core_.selected_ = line;
        this->writeHome(reg::PCL, pc & 0xFF);
    }
    // PortTail::refreshPorts and the part's port writes after it: the lamps
    // and boxes follow the ports and directions as the instruction left
    // them, ticked inputs merge into the ports, the mirrors follow.
    void portTail() {
        int* shown = core_.shownPorts_.data();
        shown[0] = core_.cells_[state::PORTA] & 0xFF;
        shown[1] = core_.cells_[state::PORTB] & 0xFF;
        shown[2] = core_.cells_[state::TRISA] & 0xFF;
        shown[3] = core_.cells_[state::TRISB] & 0xFF;
        if constexpr (Recorder::records) {
            const auto lamps = static_cast<std::uint16_t>(shown[0] | shown[1] << 8);
            const auto boxes = static_cast<std::uint16_t>(shown[2] | shown[3] << 8);
            state::PortControls& c = core_.controls_;
            if (lamps != c.lamps || boxes != c.boxesShown || boxes != c.boxesEnabled) {
                recorder_.controlsChanged(lamps, boxes);
                c = {lamps, boxes, boxes};
            }
        }
        const int a = core_.tickedA_, b = core_.tickedB_;
        put(state::PORTA, (shown[0] | a) & ((~shown[2] | a) & 0xFF));
        put(state::PORTB, (shown[1] | b) & ((~shown[3] | b) & 0xFF));
        this->writeHome(reg::PORTA, core_.cells_[state::PORTA] & 0xFF);
        this->writeHome(reg::PORTB, core_.cells_[state::PORTB] & 0xFF);
    }

private:
    // A line becomes the standard text of the value; one that changes neither
    // value nor text is no change and is not told.
    void tellWrite(int index, int value) {
        if (core_.lineValue(index) != value || !core_.wellFormed(index))
            recorder_.registerWritten(index, value);
    }

    PartValueCore& core_;
    Recorder& recorder_;
    DeviceState& state_;
};

// Flattened: every rule of a step inlined into the loop, so that what a
// step keeps in registers stays there.
template <typename Recorder>
[[gnu::flatten]] long long PartValueCore::run(long long count, const std::vector<char>* stops,
                                              Recorder& recorder) {
    // The hidden state is worked on in a local copy: kept in the core, each
    // store into one of its bytes would look as if it might change any
    // register or pointer the step had already read.
    DeviceState state = state_;
    bool woke = woke_;
    OnValues<Recorder> machine(*this, recorder, state);
    cycles_ = 0;
    long long done = 0;
    while (done < count) {
        const int depth = stackDepth();
        if ((depth == 0 || depth >= stackLimit) && !state.sleeping && stepShowsMessage())
            [[unlikely]]
            break;
        if constexpr (Recorder::records) {
            recorder.valueStepStarting(selected_);
            recorder.partStepStarting(state);
        }
        const int cycles = partStep(machine, state, woke);
        ++done;
        cycles_ += cycles;
        if constexpr (Recorder::records)
            recorder.valueStepFinished(cycles);
        if (stops && selected_ >= 0 && static_cast<std::size_t>(selected_) < stops->size() &&
            (*stops)[static_cast<std::size_t>(selected_)])
            break;
    }
    state_ = state;
    woke_ = woke;
    return done;
}

} // namespace mirel::sim::device
