// A part's Timer0 through its prescaler, its interrupts and SLP.
#include "device_fixture.h"

namespace mirel::testing {
namespace {

using parts::Model;

constexpr int TMR0 = 0x01, INTCON = 0x0B;

// OPTION is set, TMR0 cleared (which holds it for two cycles and clears the
// prescaler), then a jump to itself counts two cycles a step.
TEST(DeviceRules, Timer0ThroughThePrescaler) {
    struct Case {
        int option;
        int tmr0; // after 200 jumps: 398 cycles counted
        int intcon;
    };
    const std::vector<Case> cases = {
        {0x00, 199, 0},
        {0x01, 99, 0},
        {0x02, 49, 0},
        {0x03, 24, 0},
        {0x04, 12, 0},
        {0x05, 6, 0},
        {0x06, 3, 0},
        {0x07, 1, 0},
        {0x08, 398 - 256, 0x04}, // prescaler with the
                                 // watchdog: every
                                 // cycle; T0IF on the
                                 // rollover
        {0x28, 0, 0},            // T0CS: the pin's clock, which nothing drives
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        Part part(Model::F84A, at(0, {"LDA\t" + state::hex2(c.option) + " H", "OPTION", "CLR\t01",
                                      "JMP\t0003"}));
        part.step(3);
        EXPECT_EQ(part.reg(TMR0), 0);
        part.step(200);
        EXPECT_EQ(part.reg(TMR0), c.tmr0);
        EXPECT_EQ(part.reg(INTCON), c.intcon);
    }
}

// A write to TMR0 holds the count for the two cycles after it.
TEST(DeviceRules, Timer0HoldsTwoCyclesAfterAWrite) {
    Part part(Model::F628A,
              at(0, {"LDA\t08 H", "OPTION", "LDA\t10 H", "STA\t01", "NOP", "NOP", "NOP", "NOP"}));
    std::vector<int> seen;
    for (int i = 0; i < 8; ++i) {
        part.step();
        seen.push_back(part.reg(TMR0));
    }
    // Nothing counts until OPTION gives Timer0 the instruction clock.
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0x10, 0x10, 0x10, 0x11, 0x12}));
}

// The interrupt sources: each sets its flag; with its enable bit and GIE
// the part pushes the next address, clears GIE and goes on at 0004.
TEST(DeviceRules, Interrupts) {
    struct Case {
        std::string what;
        int intcon;               // written by the program before the loop
        int option;               // OPTION as the program sets it
        int tmr0;                 // TMR0 as the program sets it
        std::pair<int, int> tick; // after the setup: (port B bit, level), or (-1, 0)
        int steps;                // after the setup and the tick
        int pc;
        int intconAfter;
        std::vector<std::string> stack;
    };
    const std::vector<Case> cases = {
        {"Timer0 rolls over", 0xA0, 0x08, 0xFD, {-1, 0}, 1, 0x0004, 0x24, {"0007"}},
        {"Timer0 flag without GIE", 0x20, 0x08, 0xFD, {-1, 0}, 1, 0x0007, 0x24, {}},
        {"RB0 rises", 0x90, 0xFF, 0x00, {0, 1}, 1, 0x0004, 0x12, {"0007"}},
        {"RB0 rises, INTEDG asks for a falling edge",
         0x90,
         0xBF,
         0x00,
         {0, 1},
         1,
         0x0007,
         0x90,
         {}},
        {"RB5 changes", 0x88, 0xFF, 0x00, {5, 1}, 1, 0x0004, 0x09, {"0007"}},
        {"RB3 changes: no RB7:RB4 input", 0x88, 0xFF, 0x00, {3, 1}, 1, 0x0007, 0x88, {}},
        {"the handler's RTI comes back and sets GIE",
         0xA0,
         0x08,
         0xFD,
         {-1, 0},
         4,
         0x0007,
         0xA0,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The handler clears T0IF and returns.
        Part part(Model::F84A,
                  at(0, {"JMP\t0008", "NOP", "NOP", "NOP", "JMP\t0005", "RES\t0B,2", "RTI",
                         "JMP\t0007", "LDA\t" + state::hex2(c.option) + " H", "OPTION",
                         "LDA\t" + state::hex2(c.tmr0) + " H", "STA\t01",
                         "LDA\t" + state::hex2(c.intcon) + " H", "STA\t0B", "JMP\t0007"}));
        part.step(8);
        ASSERT_EQ(part.pcLine(), 0x0007);
        if (c.tick.first >= 0)
            part.form.InB[static_cast<std::size_t>(c.tick.first)].setValue(c.tick.second);
        part.step(c.steps);
        EXPECT_EQ(part.pcLine(), c.pc);
        EXPECT_EQ(part.reg(INTCON), c.intconAfter);
        EXPECT_EQ(part.reg(0x8B), c.intconAfter);
        EXPECT_EQ(part.stack(), c.stack);
    }
}

// Taking an interrupt is a call the part makes itself: two cycles in which
// Timer0 counts on. An input of RB7:RB4 that differs from the last read of
// port B sets RBIF again after every clear, until a read ends the mismatch.
TEST(DeviceRules, InterruptEntryCyclesAndThePortBMismatch) {
    const auto program = at(0, {"JMP\t0005", "NOP", "NOP", "NOP", "NOP", "LDA\t48 H", "OPTION",
                                "LDA\t90 H", "STA\t0B", "CLR\t01", "NOP", "NOP", "NOP", "NOP"});
    Part plain(Model::F84A, program);
    Part taken(Model::F84A, program);
    plain.step(8); // past the two cycles TMR0 holds after CLR 01
    taken.step(8);
    taken.form.InB[0].setValue(1); // RB0 rises: INTF, and GIE with INTE set
    plain.step();
    taken.step();
    EXPECT_EQ(taken.pcLine(), 0x0004);
    EXPECT_EQ(plain.pcLine(), 0x000D);
    EXPECT_EQ(taken.reg(0x01) - plain.reg(0x01), 2);

    // RES 0B,0 clears RBIF; LDA 06 W reads port B.
    Part part(Model::F84A, at(0, {"NOP", "NOP", "RES\t0B,0", "LDA\t06 W", "RES\t0B,0", "NOP"}));
    part.step(); // power-on: a box ticked before it is no change
    part.form.InB[4].setValue(1);
    const int rbif = 0x01;
    part.step();
    EXPECT_EQ(part.reg(INTCON) & rbif, rbif);
    part.step(); // cleared, and set again: RB4 still differs
    EXPECT_EQ(part.reg(INTCON) & rbif, rbif);
    part.step(2); // read, then cleared for good
    EXPECT_EQ(part.reg(INTCON) & rbif, 0);
}

// SLP stops the clock: steps execute nothing and Timer0 stands until an
// enabled source wakes the part. The next step runs the instruction after
// SLP, and with GIE set takes the interrupt after it.
TEST(DeviceRules, SleepAndWake) {
    for (int gie : {0, 0x80}) {
        SCOPED_TRACE(gie);
        Part part(Model::F877A,
                  at(0, {"LDA\t48 H", "OPTION", "LDA\t" + state::hex2(0x10 | gie) + " H", "STA\t0B",
                         "STA\t01", "SLP", "LDA\t55 H", "JMP\t0007"}));
        part.step(6);
        EXPECT_TRUE(part.simulator.sleeping());
        EXPECT_EQ(part.reg(0x03), 0x10); // TO set, PD cleared
        const int tmr0 = part.reg(TMR0);
        part.step(5);
        EXPECT_TRUE(part.simulator.sleeping());
        EXPECT_EQ(part.pcLine(), 0x0006);
        EXPECT_EQ(part.reg(TMR0), tmr0);
        part.form.InB[0].setValue(1);
        part.step();
        EXPECT_FALSE(part.simulator.deviceMachine()->sleeping());
        EXPECT_EQ(part.pcLine(), 0x0006);
        part.step();
        EXPECT_EQ(part.w(), 0x55);
        EXPECT_EQ(part.pcLine(), gie ? 0x0004 : 0x0007);
        EXPECT_EQ(part.stack(),
                  gie ? std::vector<std::string>{"0007"} : std::vector<std::string>{});
    }
    // With a request already standing, SLP runs as NOP.
    Part busy(Model::F877A, at(0, {"LDA\t12 H", "STA\t0B", "SLP", "NOP"}));
    busy.step(3);
    EXPECT_FALSE(busy.simulator.sleeping());
    EXPECT_EQ(busy.reg(0x03), 0x18);
}

} // namespace
} // namespace mirel::testing
