#include "ports.h"

#include "state/register_file.h"

#include <array>

namespace mirel::sim {

namespace {

using Lamps = std::array<state::LampModel, 8>;
using Inputs = std::array<state::CheckBoxModel, 8>;

bool bit(int value, int i) {
    return ((value >> i) & 1) != 0;
}

void showLevels(Lamps& lamps, int port) {
    for (int i = 7; i >= 0; --i)
        lamps[static_cast<std::size_t>(i)].setPicture(bit(port, i) ? state::LampModel::Lit
                                                                   : state::LampModel::Dark);
}

// A pin whose direction bit is 1 is an input: its box is shown and usable.
void showDirections(Inputs& inputs, int tris) {
    for (int i = 7; i >= 0; --i) {
        auto& box = inputs[static_cast<std::size_t>(i)];
        box.setVisible(bit(tris, i));
        box.setEnabled(bit(tris, i));
    }
}

// An input pin takes its box's level. An output pin keeps what the program
// wrote, except that a box still ticked from when it was an input holds it
// at 1: the OR takes every box, shown or not, the AND only the shown ones.
void mergeInputs(state::MainForm& form, int portIndex, const Inputs& inputs) {
    int orBits = 0;
    int andMask = 0;
    for (int i = 7; i >= 0; --i) {
        const auto& box = inputs[static_cast<std::size_t>(i)];
        const int ticked = box.value() != 0 ? 1 : 0;
        orBits |= ticked << i;
        andMask |= (box.visible() ? ticked : 1) << i;
    }
    const int port = state::readRegister(form, portIndex);
    state::writeRegister(form, portIndex, (port | orBits) & andMask);
}

} // namespace

// The lamps show the ports as the instruction left them, before this
// cycle's inputs are merged in.
void refreshPorts(state::MainForm& form) {
    showLevels(form.RA, state::readRegister(form, state::PORTA));
    showLevels(form.RB, state::readRegister(form, state::PORTB));
    showDirections(form.InA, state::readRegister(form, state::TRISA));
    showDirections(form.InB, state::readRegister(form, state::TRISB));
    mergeInputs(form, state::PORTA, form.InA);
    mergeInputs(form, state::PORTB, form.InB);
}

} // namespace mirel::sim
