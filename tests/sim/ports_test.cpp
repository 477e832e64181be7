#include "machine_fixture.h"

#include <array>
#include <string>

namespace mirel::testing {
namespace {

struct Port {
    const char* name;
    int port;
    int tris;
    std::array<state::LampModel, 8> state::MainForm::*lamps;
    std::array<state::CheckBoxModel, 8> state::MainForm::*boxes;
};

constexpr Port ports[] = {
    {"A", state::PORTA, state::TRISA, &state::MainForm::RA, &state::MainForm::InA},
    {"B", state::PORTB, state::TRISB, &state::MainForm::RB, &state::MainForm::InB},
};

// Bit i of the result is whether `pick` holds for element i, bit 7 first in the text.
template <typename Array, typename Pick> int bits(const Array& items, Pick pick) {
    int value = 0;
    for (std::size_t i = 0; i < 8; ++i)
        value |= (pick(items[i]) ? 1 : 0) << i;
    return value;
}

// One NOP with the direction, the port value and the ticked boxes given: the
// lamps show the port before the inputs are merged, the boxes the directions.
TEST(PortTail, LampsBoxesAndInputMerge) {
    const struct {
        int tris, port, ticks;
        int merged;
        const char* why;
    } rows[] = {
        {0x00, 0x00, 0x00, 0x00, "after New: all low, all outputs"},
        {0xFF, 0x00, 0x01, 0x01, "an input takes its box's level"},
        {0xFF, 0xFF, 0x00, 0x00, "unticked inputs read low whatever was written"},
        {0x0F, 0x30, 0x05, 0x35, "inputs below, outputs above keep the written 3"},
        {0x00, 0x55, 0x00, 0x55, "outputs keep what the program wrote"},
        {0x00, 0x00, 0x04, 0x04, "a hidden box still ticked holds its output pin at 1"},
        {0xF0, 0x0F, 0xA5, 0xAF, "mixed directions and ticks"},
    };
    for (const Port& p : ports) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string("port ") + p.name + ": " + row.why);
            Machine m({"NOP\t", "NOP\t"});
            auto& boxes = m.form.*p.boxes;
            for (std::size_t i = 0; i < 8; ++i)
                boxes[i].setValue((row.ticks >> i) & 1);
            m.setReg(p.tris, row.tris);
            m.setReg(p.port, row.port);

            m.step();

            EXPECT_EQ(m.form.Reg.line(p.port), state::registerLine(p.port, row.merged));
            EXPECT_EQ(bits(m.form.*p.lamps, [](auto& l) { return l.lit(); }), row.port);
            EXPECT_EQ(bits(boxes, [](auto& b) { return b.visible(); }), row.tris);
            EXPECT_EQ(bits(boxes, [](auto& b) { return b.enabled(); }), row.tris);
        }
    }
}

// A tick reaches the port at the next executed instruction and the lamp one
// instruction later; a line that executes nothing refreshes nothing.
TEST(PortTail, ATickShowsInTheRegisterFirstAndOnTheLampNext) {
    Machine m({"NOP\t", "NOP\t", "NOP\t", "OPTION\t"});
    m.setReg(state::TRISB, 0xFF);
    m.step();
    EXPECT_TRUE(m.form.InB[0].visible());

    m.form.InB[0].setValue(1);
    m.step();
    EXPECT_EQ(m.reg(state::PORTB), 0x01);
    EXPECT_FALSE(m.form.RB[0].lit());
    m.step();
    EXPECT_TRUE(m.form.RB[0].lit());

    m.form.InB[0].setValue(0);
    m.step(2); // the OPTION line: no tail
    EXPECT_EQ(m.reg(state::PORTB), 0x01);
}

} // namespace
} // namespace mirel::testing
