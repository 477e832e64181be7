#pragma once

// The value core's step loop, for each kind of recorder: the plain run
// instantiates it in value_core.cpp, the debugger's recording run in its own
// file, so that neither pays a call per write.
#include "execute.h"
#include "return_stack.h"
#include "state/register_file.h"
#include "value_core.h"

namespace mirel::sim {

// A write makes the line the standard text of the value. `Watched`: the
// line may be watched.
template <bool Watched, WatchScope Scope, typename Recorder>
inline std::uint8_t ValueCore::put(Recorder& recorder, int index, int value, long long step) {
    if (index > lastRegister)
        return 0;
    std::uint8_t fired = 0;
    const auto at = static_cast<std::size_t>(index);
    if constexpr (Recorder::records)
        recorder.registerWritten(index, value);
    else if constexpr (Recorder::watches && Watched) {
        if (const unsigned trigger = watched_.lines[at])
            fired = watchedWrite<Scope>(at, trigger, value, step);
    }
    values_[at] = static_cast<std::uint8_t>(value);
    wellFormed_[at] = 1;
    return fired;
}

// Before the store: the first write of a watched step keeps the value before.
// Unless every write is tested, no other write of the step reaches the line.
template <WatchScope Scope>
inline std::uint8_t ValueCore::watchedWrite(std::size_t at, unsigned trigger, int value,
                                            long long step) {
    const int before = values_[at];
    if (!Scope.everyWrite || writtenIn_[at] != step) {
        writtenIn_[at] = step;
        before_[at] = static_cast<std::uint8_t>(before);
    }
    return watched_.fires<Scope.changes>(trigger, before, value);
}

template <bool Watched, typename Recorder>
inline std::uint8_t ValueCore::setW(Recorder& recorder, int value, long long step) {
    std::uint8_t fired = 0;
    wStored_ = true;
    if constexpr (Recorder::records)
        recorder.wWritten(value);
    else if constexpr (Recorder::watches && Watched) {
        // W is compared after every step that writes it.
        if (wWatched_) [[unlikely]] {
            if (wWrittenIn_ != step) {
                wWrittenIn_ = step;
                wBefore_ = w_;
            }
            fired = 1;
        }
    }
    w_ = value;
    return fired;
}

// The machine of teaching/execute.h in the core's bytes: each write tells
// the recorder what changed. The run stops before a step that would show a
// message, so warn is never called and the stack has its entry to pop.
template <typename Recorder, WatchScope Scope> class ValueCore::OnValues {
public:
    static constexpr bool tells = false;
    static constexpr bool onlyInstructions = true;

    // `entry`: the stack's top, as the run found it before a return.
    OnValues(ValueCore& core, Recorder& recorder, int bankBits, int lineCount, int entry,
             long long step)
        : c_(core), r_(recorder), bankBits_(bankBits), lineCount_(lineCount), entry_(entry),
          step_(step) {}

    int indirectTarget() const { return c_.values_[state::FSR] + 128 * bankBits_; }
    int registerIndex(const ValueLine& l) const {
        return l.index[static_cast<std::size_t>(bankBits_)];
    }
    int read(int index) const { return c_.values_[static_cast<std::size_t>(index)]; }
    void write(int index, int value) {
        met_ |= c_.put<Scope.everyWrite, Scope>(r_, index, value, step_);
    }
    void writeOperand(int index, int value) {
        met_ |= c_.put<true, Scope>(r_, index, value, step_);
    }
    int w() const { return c_.w_; }
    void setW(int value) { met_ |= c_.setW<Scope.everyWrite>(r_, value, step_); }
    bool validRegister(int index) const { return index <= lastRegister; }
    void storeW(int index) { met_ |= c_.put<true, Scope>(r_, index, c_.w_, step_); }
    // Whether a write of the step fired a watch's trigger.
    bool met() const { return met_ != 0; }
    void instructionStarting() {}
    void push(int callingLine) {
        c_.put_.push_back(callingLine);
        if constexpr (Recorder::records)
            r_.stackPushed(callingLine);
    }
    int pop() {
        if (!c_.put_.empty())
            c_.put_.pop_back();
        else
            ++c_.taken_;
        if constexpr (Recorder::records)
            r_.stackPopped();
        return entry_;
    }
    int lineCount() const { return lineCount_; }
    void select(int line) { c_.selected_ = line; }
    void warn(const std::string&) {}

    // The lamps and boxes follow the ports and directions as the
    // instruction left them; then ticked inputs merge into the ports.
    void portTail() {
        auto& values = c_.values_;
        const int portA = values[state::PORTA], portB = values[state::PORTB];
        const int trisA = values[state::TRISA], trisB = values[state::TRISB];
        c_.shownPorts_ = {portA, portB, trisA, trisB};
        const auto lamps = static_cast<std::uint16_t>(portA | portB << 8);
        const auto boxes = static_cast<std::uint16_t>(trisA | trisB << 8);
        state::PortControls& controls = c_.controls_;
        if (lamps != controls.lamps || boxes != controls.boxesShown ||
            boxes != controls.boxesEnabled) [[unlikely]] {
            if constexpr (Recorder::records)
                r_.controlsChanged(lamps, boxes);
            controls = {lamps, boxes, boxes};
        }
        const int a = c_.tickedA_, b = c_.tickedB_;
        write(state::PORTA, (portA | a) & ((~trisA | a) & 0xFF));
        write(state::PORTB, (portB | b) & ((~trisB | b) & 0xFF));
    }

private:
    ValueCore& c_;
    Recorder& r_;
    int bankBits_;
    int lineCount_;
    int entry_;
    long long step_; // the step's number in the run
    std::uint8_t met_ = 0;
};

// Steps of the teaching model's cycle on values, stopping before one that
// only a Step can take.
template <typename Recorder>
long long ValueCore::run(long long count, const std::vector<char>* stops, Recorder& recorder) {
    if constexpr (Recorder::watches) {
        wWatched_ = recorder.markWatched(watched_);
        writtenIn_.fill(-1);
        wWrittenIn_ = -1;
        // Unless a line every step writes is watched, only operands are tested.
        const bool every = fixedLineWatched(), changes = watched_.firesOnChange();
        if (every)
            return changes ? steps<Recorder, WatchScope{true, true}>(count, stops, recorder)
                           : steps<Recorder, WatchScope{true, false}>(count, stops, recorder);
        return changes ? steps<Recorder, WatchScope{false, true}>(count, stops, recorder)
                       : steps<Recorder, WatchScope{false, false}>(count, stops, recorder);
    }
    return steps<Recorder, WatchScope{}>(count, stops, recorder);
}

template <typename Recorder, WatchScope Scope>
[[gnu::flatten]] long long ValueCore::steps(long long count, const std::vector<char>* stops,
                                            Recorder& recorder) {
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
        int entry = 0;
        if (l.guarded) [[unlikely]] {
            const int index = l.index[static_cast<std::size_t>(bankBits)];
            if (l.form != ValueLine::Form::Instruction)
                return done;
            switch (l.op) {
            case Op::Sta:
                if (index != state::INDF && index <= lastRegister &&
                    !wellFormed_[static_cast<std::size_t>(index)])
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
        OnValues<Recorder, Scope> machine(*this, recorder, bankBits, last + 1, entry, done);
        const int cycles = teaching::execute(machine, current, l);
        ++done;
        cycles_ += cycles;
        if constexpr (Recorder::records) {
            recorder.valueStepFinished(cycles, selected_);
            if (recorder.stopAfterStep())
                return done;
        } else if constexpr (Recorder::watches) {
            // One test for both: a watch met, or a breakpoint ahead.
            const bool stop = stopAt(selected_);
            if (machine.met() | stop) [[unlikely]] {
                if ((machine.met() && recorder.stepMet(done, current)) || stop)
                    return done;
            }
            continue;
        }
        if (stopAt(selected_))
            return done;
    }
    return done;
}

} // namespace mirel::sim
