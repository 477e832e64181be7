#pragma once

// The instructions of a part, once for every place its machine is kept: the
// form's models for a Step, bytes for a run on values. A machine gives the
// registers (read, write, home, status, direct, indirect, as RegisterBus
// does), W (w, setW) and the return stack (push, pop).
#include "interrupts.h"
#include "part_state.h"
#include "register_bus.h"
#include "timer0.h"

namespace mirel::sim::part {

// STATUS bits.
inline constexpr int statusC = 0x01;
inline constexpr int statusDC = 0x02;
inline constexpr int statusZ = 0x04;
inline constexpr int statusPD = 0x08;
inline constexpr int statusTO = 0x10;

// One instruction of the part, and what it leaves for the rest of the step.
template <typename Machine> struct Execution {
    Machine& m;
    PartState& state;
    int pc = 0;     // the next address: the fetch has already counted past the instruction
    int cycles = 1; // two for jumps, calls, returns, skips taken and writes to PCL
    bool timerWritten = false;
};

namespace rules {

inline constexpr int pcMask = 0x1FFF;
inline constexpr int arithmeticFlags = statusZ | statusDC | statusC;

// The banked address an operand reaches: register f of the selected bank,
// or, through INDF, the register FSR points at. INDF reached through itself
// is no register.
template <typename Machine> inline int address(const Execution<Machine>& run, int f) {
    const int direct = run.m.direct(f);
    if (run.m.home(direct) != reg::INDF)
        return direct;
    const int indirect = run.m.indirect();
    return run.m.home(indirect) == reg::INDF ? -1 : indirect;
}

// Any instruction that addresses port B reads it (also one that only
// writes it), which ends a mismatch of RB7:RB4.
template <typename Machine> inline void latchPortB(const Execution<Machine>& run, int a) {
    if (run.m.home(a) == reg::PORTB)
        run.state.portBLatch = static_cast<std::uint8_t>(run.m.read(a));
}

template <typename Machine> inline int readF(const Execution<Machine>& run, int f) {
    const int a = address(run, f);
    latchPortB(run, a);
    // The program counter has already moved past the instruction.
    if (run.m.home(a) == reg::PCL)
        return run.pc & 0xFF;
    return run.m.read(a);
}

// A result into f. `flags` are the STATUS bits the instruction sets itself:
// a result stored into STATUS leaves them (and TO and PD, which no write
// reaches) to the instruction. An instruction that sets any of Z, DC and C
// writes none of the three.
template <typename Machine>
inline void writeF(Execution<Machine>& run, int f, int value, int flags) {
    const int a = address(run, f);
    latchPortB(run, a);
    switch (run.m.home(a)) {
    case -1:
        return;
    case reg::PCL:
        // A computed jump: PCLATH gives the upper bits.
        run.m.write(a, value);
        run.pc = ((run.m.readHome(reg::PCLATH) & 0x1F) << 8) | (value & 0xFF);
        run.cycles = 2;
        return;
    case reg::TMR0:
        run.m.write(a, value);
        run.timerWritten = true;
        return;
    case reg::STATUS: {
        const int kept = statusTO | statusPD | flags;
        run.m.write(a, (value & ~kept) | (run.m.status() & kept));
        return;
    }
    default:
        run.m.write(a, value);
    }
}

template <typename Machine> inline int w(const Execution<Machine>& run) {
    return run.m.w();
}

template <typename Machine> inline void setFlags(Execution<Machine>& run, int mask, int values) {
    run.m.writeHome(reg::STATUS, (run.m.status() & ~mask) | (values & mask));
}

inline int zeroFlag(int result) {
    return (result & 0xFF) == 0 ? statusZ : 0;
}

template <typename Machine> inline void skip(Execution<Machine>& run) {
    run.pc = (run.pc + 1) & pcMask;
    run.cycles = 2;
}

template <typename Machine> inline void jump(Execution<Machine>& run, int target) {
    run.pc = target & pcMask;
    run.cycles = 2;
}

// A result and the flags it sets, to W or back into f.
template <typename Machine>
inline void result(Execution<Machine>& run, int f, bool toF, int value, int mask, int flags) {
    value &= 0xFF;
    if (toF)
        writeF(run, f, value, mask != 0 ? arithmeticFlags : 0);
    else
        run.m.setW(value);
    if (mask != 0)
        setFlags(run, mask, flags);
}

// a + b and a - b with the carries the data sheet gives: C and DC are the
// carries out of bits 7 and 3; a subtraction's are "no borrow".
inline int addFlags(int a, int b) {
    const int sum = a + b;
    return zeroFlag(sum) | (sum > 0xFF ? statusC : 0) | (((a & 15) + (b & 15)) > 15 ? statusDC : 0);
}
inline int subtractFlags(int a, int b) {
    return zeroFlag(a - b) | (a >= b ? statusC : 0) | ((a & 15) >= (b & 15) ? statusDC : 0);
}

template <typename Machine> inline void special(Execution<Machine>& run, int word) {
    switch (word & 0x7F) {
    case 0x08: // RTS
        jump(run, run.m.pop());
        return;
    case 0x09: // RTI: GIE back on
        jump(run, run.m.pop());
        run.m.writeHome(reg::INTCON, run.m.intcon() | intconGIE);
        return;
    case 0x62: // OPTION
        run.m.writeHome(reg::OPTION, w(run));
        return;
    case 0x63: // SLP: with a request already standing it completes as NOP
        if (!interruptRequested(run.m)) {
            setFlags(run, statusTO | statusPD, statusTO);
            run.state.sleeping = true;
        }
        return;
    case 0x64: // WDT: no watchdog to clear, only TO and PD are set
        setFlags(run, statusTO | statusPD, statusTO | statusPD);
        return;
    case 0x65:
    case 0x66:
    case 0x67: // TRIS: W into the port's direction register
        run.m.write(0x80 + (word & 0x7F) - 0x60, w(run));
        return;
    default: // NOP
        return;
    }
}

template <typename Machine> inline void byteOperation(Execution<Machine>& run, int word) {
    const int f = word & 0x7F;
    const bool toF = (word & 0x80) != 0;
    const int op = (word >> 8) & 0x0F;
    if (op == 0x0) {
        if (toF)
            writeF(run, f, w(run), 0); // STA
        else
            special(run, word);
        return;
    }
    if (op == 0x1) { // CLR f / CLR W
        result(run, f, toF, 0, statusZ, statusZ);
        return;
    }
    const int a = readF(run, f);
    const int wv = w(run);
    switch (op) {
    case 0x2: // SUB
        result(run, f, toF, a - wv, arithmeticFlags, subtractFlags(a, wv));
        return;
    case 0x3: // DEC
        result(run, f, toF, a - 1, statusZ, zeroFlag(a - 1));
        return;
    case 0x4: // ORA
        result(run, f, toF, a | wv, statusZ, zeroFlag(a | wv));
        return;
    case 0x5: // AND
        result(run, f, toF, a & wv, statusZ, zeroFlag(a & wv));
        return;
    case 0x6: // XOR
        result(run, f, toF, a ^ wv, statusZ, zeroFlag(a ^ wv));
        return;
    case 0x7: // ADD
        result(run, f, toF, a + wv, arithmeticFlags, addFlags(a, wv));
        return;
    case 0x8: // LDA f
        result(run, f, toF, a, statusZ, zeroFlag(a));
        return;
    case 0x9: // CPL
        result(run, f, toF, ~a, statusZ, zeroFlag(~a));
        return;
    case 0xA: // INC
        result(run, f, toF, a + 1, statusZ, zeroFlag(a + 1));
        return;
    case 0xB: // DEZ: no flags
        result(run, f, toF, a - 1, 0, 0);
        if (((a - 1) & 0xFF) == 0)
            skip(run);
        return;
    case 0xC: { // RRA
        const int carry = run.m.status() & statusC;
        result(run, f, toF, (carry << 7) | (a >> 1), statusC, a & 1);
        return;
    }
    case 0xD: { // RLA
        const int carry = run.m.status() & statusC;
        result(run, f, toF, (a << 1) | carry, statusC, a >> 7);
        return;
    }
    case 0xE: // SPA
        result(run, f, toF, ((a & 15) << 4) | (a >> 4), 0, 0);
        return;
    case 0xF: // INZ: no flags
        result(run, f, toF, a + 1, 0, 0);
        if (((a + 1) & 0xFF) == 0)
            skip(run);
        return;
    default:
        return;
    }
}

template <typename Machine> inline void bitOperation(Execution<Machine>& run, int word) {
    const int f = word & 0x7F;
    const int mask = 1 << ((word >> 7) & 7);
    switch ((word >> 10) & 3) {
    case 0: // RES
        writeF(run, f, readF(run, f) & ~mask, 0);
        return;
    case 1: // SET
        writeF(run, f, readF(run, f) | mask, 0);
        return;
    case 2: // JBR
        if ((readF(run, f) & mask) == 0)
            skip(run);
        return;
    default: // JBS
        if ((readF(run, f) & mask) != 0)
            skip(run);
        return;
    }
}

// JMP and JSR reach 2K words; PCLATH<4:3> pick the page.
template <typename Machine> inline void transfer(Execution<Machine>& run, int word) {
    const int target = ((run.m.readHome(reg::PCLATH) & 0x18) << 8) | (word & 0x7FF);
    if ((word & 0x0800) == 0) // JSR
        run.m.push(run.pc);
    jump(run, target);
}

template <typename Machine> inline void literalOperation(Execution<Machine>& run, int word) {
    const int k = word & 0xFF;
    const int wv = w(run);
    switch ((word >> 8) & 0x0F) {
    case 0x0:
    case 0x1:
    case 0x2:
    case 0x3: // LDA k H: no flags
        run.m.setW(k);
        return;
    case 0x4:
    case 0x5:
    case 0x6:
    case 0x7: // RET k
        run.m.setW(k);
        jump(run, run.m.pop());
        return;
    case 0x8:
        result(run, 0, false, wv | k, statusZ, zeroFlag(wv | k));
        return;
    case 0x9:
        result(run, 0, false, wv & k, statusZ, zeroFlag(wv & k));
        return;
    case 0xA:
        result(run, 0, false, wv ^ k, statusZ, zeroFlag(wv ^ k));
        return;
    case 0xC:
    case 0xD: // SUB k H: k - W
        result(run, 0, false, k - wv, arithmeticFlags, subtractFlags(k, wv));
        return;
    case 0xE:
    case 0xF: // ADD k H
        result(run, 0, false, wv + k, arithmeticFlags, addFlags(wv, k));
        return;
    default: // 3Bxx names no operation of the part
        return;
    }
}

} // namespace rules

// Executes an instruction word as the data sheet gives it: its result, the
// flags Z, DC and C, and the next address.
template <typename Machine> inline void execute(Execution<Machine>& run, int word) {
    switch ((word >> 12) & 3) {
    case 0:
        rules::byteOperation(run, word);
        return;
    case 1:
        rules::bitOperation(run, word);
        return;
    case 2:
        rules::transfer(run, word);
        return;
    default:
        rules::literalOperation(run, word);
        return;
    }
}

} // namespace mirel::sim::part
