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
void inputMasks(const Inputs& inputs, int& orBits, int& andMask) {
    orBits = 0;
    andMask = 0;
    for (int i = 7; i >= 0; --i) {
        const auto& box = inputs[static_cast<std::size_t>(i)];
        const int ticked = box.value() != 0 ? 1 : 0;
        orBits |= ticked << i;
        andMask |= (box.visible() ? ticked : 1) << i;
    }
}

void mergeInputs(state::MainForm& form, int portIndex, int orBits, int andMask) {
    const int port = state::readRegister(form, portIndex);
    state::writeRegister(form, portIndex, (port | orBits) & andMask);
}

} // namespace

int withInputs(int port, int tris, const std::array<state::CheckBoxModel, 8>& boxes) {
    int orBits = 0;
    int andMask = 0;
    for (int i = 0; i < 8; ++i) {
        const int ticked = boxes[static_cast<std::size_t>(i)].value() != 0 ? 1 : 0;
        orBits |= ticked << i;
        andMask |= (bit(tris, i) ? ticked : 1) << i;
    }
    return (port | orBits) & andMask;
}

template <typename F> void PortTail::forEachControl(F&& f) {
    for (std::size_t i = 0; i < 8; ++i) {
        f(form_.RA[i]);
        f(form_.RB[i]);
        f(form_.InA[i]);
        f(form_.InB[i]);
    }
}

PortTail::PortTail(state::MainForm& form) : form_(form) {
    forEachControl([this](state::Observable& c) { c.addObserver(this); });
}

PortTail::~PortTail() {
    forEachControl([this](state::Observable& c) { c.removeObserver(this); });
}

// The lamps show the ports as the instruction left them, before this
// cycle's inputs are merged in.
void PortTail::refreshPorts() {
    show(state::readRegister(form_, state::PORTA), state::readRegister(form_, state::PORTB),
         state::readRegister(form_, state::TRISA), state::readRegister(form_, state::TRISB));
    mergeInputs(form_, state::PORTA, orA_, andA_);
    mergeInputs(form_, state::PORTB, orB_, andB_);
}

void PortTail::show(int portA, int portB, int trisA, int trisB) {
    if (!stale_ && portA == portA_ && portB == portB_ && trisA == trisA_ && trisB == trisB_)
        return;
    showLevels(form_.RA, portA);
    showLevels(form_.RB, portB);
    showDirections(form_.InA, trisA);
    showDirections(form_.InB, trisB);
    inputMasks(form_.InA, orA_, andA_);
    inputMasks(form_.InB, orB_, andB_);
    portA_ = portA;
    portB_ = portB;
    trisA_ = trisA;
    trisB_ = trisB;
    stale_ = false;
}

} // namespace mirel::sim
