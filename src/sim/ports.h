#pragma once

#include "state/main_form.h"
#include "state/port_controls.h"

#include <array>
#include <cstdint>

namespace mirel::sim {

// A port after the tail merges the input boxes into it: a pin whose
// direction bit is 1 takes its box's level; an output pin keeps its value
// unless its box is still ticked from when it was an input.
int withInputs(int port, int tris, const std::array<state::CheckBoxModel, 8>& boxes);

// The port part of the common tail: lamps follow PORTA/PORTB, the input boxes
// follow TRISA/TRISB, and ticked inputs are merged into the port registers.
//
// The lamps and boxes are set only when the registers they follow changed
// since this tail last set them, or when anyone else changed a lamp or a box
// meanwhile (a tick, a window load): what they show is the same as if every
// tail set each of them.
class PortTail final : private state::ChangeObserver {
public:
    explicit PortTail(state::MainForm& form);
    ~PortTail() override;
    PortTail(const PortTail&) = delete;
    PortTail& operator=(const PortTail&) = delete;

    void refreshPorts();
    // The lamps and boxes as a tail would leave them for these register
    // values, without merging inputs: a run on values ends with this.
    void show(int portA, int portB, int trisA, int trisB);
    // The lamps and boxes as the last tail set them, and the boxes ticked,
    // read in one go; false when anyone changed one of them since.
    bool shown(state::PortControls& controls, std::uint16_t& ticks) const {
        if (stale_)
            return false;
        const auto both = [](int a, int b) { return static_cast<std::uint16_t>(a | b << 8); };
        const std::uint16_t directions = both(trisA_ & 0xFF, trisB_ & 0xFF);
        controls = {both(portA_ & 0xFF, portB_ & 0xFF), directions, directions};
        ticks = both(orA_, orB_);
        return true;
    }

private:
    void changed() override { stale_ = true; }
    template <typename F> void forEachControl(F&& f);

    state::MainForm& form_;
    bool stale_ = true;
    int portA_ = 0, portB_ = 0, trisA_ = 0, trisB_ = 0; // as the controls show them
    int orA_ = 0, andA_ = 0, orB_ = 0, andB_ = 0;       // the boxes as masks
};

} // namespace mirel::sim
