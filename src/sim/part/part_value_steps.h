#pragma once

// A part's step loop on values, for each kind of recorder: the plain run
// instantiates it in part_value_core.cpp, a recording run in its own file,
// so that neither pays a call per write.
#include "part_step.h"
#include "part_value_core.h"
#include "sim/teaching/return_stack.h"

namespace mirel::sim::part {

// The machine part_step.h runs on, kept in the core's bytes: each write
// tells the recorder what changed.
template <typename Recorder, WatchScope Scope>
class PartValueCore::OnValues : public BankedRegisters<OnValues<Recorder, Scope>> {
public:
    // What a step reads and writes most is held here for the run, where it
    // can stay in registers; finish() hands it back to the core.
    OnValues(PartValueCore& core, Recorder& recorder, PartState& state)
        : BankedRegisters<OnValues>(*core.map_), core_(core), recorder_(recorder), state_(state),
          cells_(core.cells_.data()), watched_(core.watched_.lines.data()),
          words_(core.words_.data()), lineOf_(core.lineOf_.data()), addressMask_(core.addressMask_),
          tickedA_(core.tickedA_), tickedB_(core.tickedB_), pc_(core.pc_),
          selected_(core.selected_), picked_(core.picked_), shownA_(core.shownPorts_[0]),
          shownB_(core.shownPorts_[1]), depth_(core.stackDepth()) {}
    void finish() {
        // Within a run the rules never read PCL's or INDF's own line (a read of
        // PCL gives the program counter, INDF leads to FSR's register), so
        // without a recorder to hear each step they are shown once, as the
        // last step that executed would have left them.
        if (executed_) {
            this->writeHome(reg::PCL, state_.pc & 0xFF);
            showIndirect(*this);
        }
        core_.pc_ = pc_;
        core_.selected_ = selected_;
        core_.picked_ = picked_;
        // Nothing after the port tail writes a direction: the last tail showed
        // them as they are now.
        core_.shownPorts_ = {shownA_, shownB_, cells_[state::TRISA] & 0xFF,
                             cells_[state::TRISB] & 0xFF};
    }
    int selected() const { return selected_; }
    void numberStep(long long step) { step_ = step; }
    // Whether a write of the step fired a watch's trigger; forgets it.
    bool met() {
        const bool met = met_ != 0;
        met_ = 0;
        return met;
    }
    // Entries below SPReg's heading.
    int depth() const { return depth_; }

    // Only the stack shows messages: on a return from an empty stack and on
    // a push onto a full one. A push comes from a call, and from an interrupt
    // taken after the instruction, which needs GIE: set already, set again
    // by RTI, or set by this instruction writing INTCON (directly, or through
    // INDF when the operand is 00). Only asked near either end of the stack.
    bool nextStepShowsMessage(int depth) const {
        const int next = word(pc_);
        const bool returns = next == 0x0008 || next == 0x0009 || (next & 0x3C00) == 0x3400;
        if (depth == 0)
            return returns;
        const bool call = (next & 0x3800) == 0x2000;
        if (call && depth >= stackLimit)
            return true;
        if (depth + (call ? 1 : 0) - (returns ? 1 : 0) < stackLimit)
            return false;
        const int f = next & 0x7F;
        const bool writesIntcon = (next & 0x2000) == 0 && (f == 0 || f == reg::INTCON);
        return next == 0x0009 || writesIntcon || (this->intcon() & intconGIE) != 0;
    }

    // A register's cell; its bits mask off `written`.
    int value(int home) const { return cells_[home]; }
    // A write reaches every copy, as RegisterBus writes them: it is kept once,
    // at the register's home, and the copies follow when the run is over.
    void store(int home, int value) { keep<Scope.everyWrite>(home, value); }
    void storeAddressed(int home, int value) { keep<true>(home, value); }
    template <bool Watched> void keep(int home, int value) {
        const auto at = static_cast<std::size_t>(home);
        if constexpr (Recorder::records) {
            const auto& copies = this->map().copies[at];
            for (std::uint8_t i = 0; i < this->map().copyCount[at]; ++i)
                tellWrite(copies[i], value);
        } else if constexpr (Recorder::watches && Watched) {
            if (const unsigned trigger = watched_[at]) [[unlikely]] // a watch follows every copy
                met_ |= core_.watchedWrite<Scope>(at, trigger, value, step_);
        }
        cells_[at] = static_cast<std::uint16_t>(value | written);
        // A port, a direction or INTCON written: the port tail and port B's
        // watch have work again (TRISA and TRISB sit 0x80 above the ports).
        if constexpr (!Recorder::records) {
            const int low = home & 0x7F;
            if (static_cast<unsigned>(low - reg::PORTA) <= 1 || low == reg::INTCON)
                portsMoved_ = true;
        }
    }
    int w() const { return core_.w_; }
    void setW(int value) {
        core_.wStored_ = true;
        if constexpr (Recorder::records)
            recorder_.wWritten(value);
        else if constexpr (Recorder::watches && Scope.everyWrite) {
            // W is compared after every step that writes it.
            if (core_.wWatched_) [[unlikely]] {
                if (core_.wWrittenIn_ != step_) {
                    core_.wWrittenIn_ = step_;
                    core_.wBefore_ = core_.w_;
                }
                met_ = 1;
            }
        }
        core_.w_ = value;
    }

    // The slots as pushAddress and popAddress use them; the run stops before
    // a step whose push or pop would show a message, so SPReg only grows and
    // shrinks by its last line.
    void push(int address) {
        PartState& s = state_;
        s.stack[s.stackPointer] = static_cast<std::uint16_t>(address);
        s.stackPointer = static_cast<std::uint8_t>((s.stackPointer + 1) & 7);
        core_.put_.push_back(address);
        ++depth_;
        if constexpr (Recorder::records)
            recorder_.stackPushed(address);
    }
    int pop() {
        PartState& s = state_;
        s.stackPointer = static_cast<std::uint8_t>((s.stackPointer + 7) & 7);
        --depth_;
        if (!core_.put_.empty())
            core_.put_.pop_back();
        else
            ++core_.taken_;
        if constexpr (Recorder::records)
            recorder_.stackPopped();
        return s.stack[s.stackPointer];
    }

    int currentPc() const { return pc_; }
    int word(int pc) const { return words_[pc & addressMask_]; }
    // As PartMachine shows it: the line that carries the address is
    // selected (and is where the next step starts), or none.
    void showPc(int pc) {
        state_.pc = static_cast<std::uint16_t>(pc);
        const int address = pc & addressMask_;
        const int line = lineOf_[address];
        if (line >= 0) {
            if (line != selected_) {
                picked_ = line;
                if constexpr (Recorder::records)
                    recorder_.linePicked(line);
            }
            pc_ = address;
        } else {
            pc_ = pc;
        }
        selected_ = line;
        if constexpr (Recorder::records)
            this->writeHome(reg::PCL, pc & 0xFF);
        else
            executed_ = true;
    }
    void refreshIndf() {
        if constexpr (Recorder::records)
            showIndirect(*this);
    }
    // PortTail::refreshPorts and the part's port writes after it: the lamps
    // and boxes follow the ports and directions as the instruction left
    // them, ticked inputs merge into the ports (into the port's own line,
    // which the part's write of the port overwrites at once), the mirrors follow.
    void portTail() {
        // Nothing the tail reads was written since it last ran, and the boxes
        // stay as they are through a run: it would write back what the ports
        // hold, so only what it shows is taken.
        if constexpr (!Recorder::records) {
            if (!portsMoved_) {
                shownA_ = cells_[state::PORTA] & 0xFF;
                shownB_ = cells_[state::PORTB] & 0xFF;
                return;
            }
        }
        const int trisA = cells_[state::TRISA] & 0xFF, trisB = cells_[state::TRISB] & 0xFF;
        shownA_ = cells_[state::PORTA] & 0xFF;
        shownB_ = cells_[state::PORTB] & 0xFF;
        const int a = tickedA_, b = tickedB_;
        const int portA = (shownA_ | a) & ((~trisA | a) & 0xFF);
        const int portB = (shownB_ | b) & ((~trisB | b) & 0xFF);
        if constexpr (Recorder::records) {
            const auto lamps = static_cast<std::uint16_t>(shownA_ | shownB_ << 8);
            const auto boxes = static_cast<std::uint16_t>(trisA | trisB << 8);
            state::PortControls& c = core_.controls_;
            if (lamps != c.lamps || boxes != c.boxesShown || boxes != c.boxesEnabled) {
                recorder_.controlsChanged(lamps, boxes);
                c = {lamps, boxes, boxes};
            }
            tellWrite(state::PORTA, portA);
            tellWrite(state::PORTB, portB);
        }
        this->writeHome(reg::PORTA, portA);
        this->writeHome(reg::PORTB, portB);
    }

    // Port B's watch (interrupts.h) would find what it found last time: the
    // port and its direction unwritten, INTCON too, and the port not read.
    // A recorded run watches every step, as it runs every tail.
    bool portBSettled(const PartState& state) const {
        if constexpr (Recorder::records)
            return false;
        else
            return !portsMoved_ && state.portBLatch == latchSeen_;
    }
    void portBWatched(const PartState& state) {
        portsMoved_ = false;
        latchSeen_ = state.portBLatch;
    }

private:
    // A line becomes the standard text of the value: every write is told.
    void tellWrite(int index, int value) { recorder_.registerWritten(index, value); }

    PartValueCore& core_;
    Recorder& recorder_;
    PartState& state_;
    std::uint16_t* cells_;
    const std::uint16_t* watched_;
    long long step_ = 0; // the step's number in the run, kept with a watched register it writes
    std::uint8_t met_ = 0;
    const std::uint16_t* words_;
    const int* lineOf_;
    int addressMask_;
    int tickedA_, tickedB_;
    int pc_, selected_, picked_;
    int shownA_, shownB_;   // the ports as the last tail found them
    bool executed_ = false; // a step executed an instruction: PCL and INDF follow at the end
    // Without a recorder: a port, a direction or INTCON was written since
    // port B's watch last ran, and the port B latch it saw then.
    bool portsMoved_ = true;
    std::uint8_t latchSeen_ = 0;
    int depth_;
};

template <typename Recorder>
long long PartValueCore::run(long long count, const std::vector<char>* stops, Recorder& recorder) {
    if constexpr (Recorder::watches) {
        wWatched_ = recorder.markWatched(watched_);
        writtenIn_.fill(-1);
        wWrittenIn_ = -1;
        // Unless a register the rules write of their own is watched, only
        // operands are tested.
        // Four direct calls on purpose: through a generic lambda, GCC 12
        // compiled the loop below about 3% longer.
        const bool every = fixedHomeWatched(), changes = watched_.firesOnChange();
        if (every)
            return changes ? steps<Recorder, WatchScope{true, true}>(count, stops, recorder)
                           : steps<Recorder, WatchScope{true, false}>(count, stops, recorder);
        return changes ? steps<Recorder, WatchScope{false, true}>(count, stops, recorder)
                       : steps<Recorder, WatchScope{false, false}>(count, stops, recorder);
    }
    return steps<Recorder, WatchScope{}>(count, stops, recorder);
}

// Flattened: every rule of a step inlined into the loop, so that what a
// step keeps in registers stays there.
template <typename Recorder, WatchScope Scope>
[[gnu::flatten]] long long PartValueCore::steps(long long count, const std::vector<char>* stops,
                                                Recorder& recorder) {
    // The hidden state is worked on in a local copy: kept in the core, each
    // store into one of its bytes would look as if it might change any
    // register or pointer the step had already read.
    PartState state = state_;
    bool woke = woke_;
    OnValues<Recorder, Scope> machine(*this, recorder, state);
    long long done = 0, cycles = 0, executed = 0;
    int pcWithoutLine = -1;
    while (done < count) {
        const int depth = machine.depth();
        // Only an empty stack, or one an entry or less short of full (one compare).
        if (static_cast<unsigned>(depth - 1) >= stackLimit - 2 && !state.sleeping &&
            machine.nextStepShowsMessage(depth)) [[unlikely]]
            break;
        const int line = machine.selected();
        if constexpr (Recorder::records) {
            recorder.valueStepStarting(line);
            recorder.partStepStarting(state);
        } else if constexpr (Recorder::watches) {
            machine.numberStep(done);
        }
        const int stepCycles = partStep(machine, state, woke);
        ++done;
        cycles += stepCycles;
        executed += stepCycles > 0 ? 1 : 0;
        const int selected = machine.selected();
        if (selected < 0 && pcWithoutLine < 0) [[unlikely]]
            pcWithoutLine = state.pc;
        if constexpr (Recorder::records) {
            recorder.valueStepFinished(stepCycles, selected);
            if (recorder.stopAfterStep())
                break;
        }
        const bool stop = stops && selected >= 0 &&
                          static_cast<std::size_t>(selected) < stops->size() &&
                          (*stops)[static_cast<std::size_t>(selected)];
        if constexpr (Recorder::watches) {
            // One test for both: a watch met, or a breakpoint ahead.
            const bool met = machine.met();
            if (met | stop) [[unlikely]] {
                if ((met && recorder.stepMet(done, line)) || stop)
                    break;
            }
        } else if (stop) {
            break;
        }
    }
    machine.finish();
    cycles_ = cycles;
    executed_ = executed;
    firstPcWithoutLine_ = pcWithoutLine;
    // A recorder heard the lamps and boxes change; without one they are as
    // the last step's port tail showed them, for a run recorded from here.
    if constexpr (!Recorder::records) {
        if (done > 0) {
            const auto boxes = static_cast<std::uint16_t>(shownPorts_[2] | shownPorts_[3] << 8);
            controls_ = {static_cast<std::uint16_t>(shownPorts_[0] | shownPorts_[1] << 8), boxes,
                         boxes};
        }
    }
    state_ = state;
    woke_ = woke;
    return done;
}

} // namespace mirel::sim::part
