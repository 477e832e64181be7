#include "register_names.h"

#include "hex_text.h"

namespace mirel::state {

namespace {

// The operand names the register of bank 0 from every bank.
std::string reachedThroughFsr(int offset) {
    return "Instructions naming " + hex2(offset) + " in any bank use " + hex4(offset) +
           "; this line is reached through FSR and INDF.";
}

std::string bankCopy(int bank) {
    return "bank " + std::to_string(bank) + " copy";
}

// INDF, PCL, STATUS, FSR, PCLATH and INTCON: one register seen from every bank.
RegisterName shared(int offset, int bank) {
    RegisterName r;
    switch (offset) {
    case 0x00:
        r = {"INDF", "", "",
             "Not a register of its own: for one instruction it shows the register FSR points "
             "to (FSR plus the bank offset of RP1 RP0; IRP is not used), and a write to 00 "
             "goes there."};
        break;
    case 0x02:
        r = {"PCL", "", "",
             "Not maintained: the program counter is the selected program line, so PCL does "
             "not follow the program and writing it does not jump."};
        break;
    case 0x03:
        r = {"STATUS", "", "IRP RP1 RP0 TO PD Z DC C",
             "Z and C change in all four copies (0003, 0083, 0103, 0183) alike; any other "
             "write changes 0003 only. RP1 RP0 of 0003 select the bank; IRP, TO, PD and DC "
             "are not maintained."};
        break;
    case 0x04:
        r = {"FSR", "", "",
             "Points INDF at register FSR plus the bank offset of RP1 RP0 (IRP is not used)."};
        break;
    case 0x0A:
        r = {"PCLATH", "", "",
             "Not used: JMP and JSR take the whole address from the instruction."};
        break;
    default:
        r = {"INTCON", "", "GIE PEIE T0IE INTE RBIE T0IF INTF RBIF",
             "There are no interrupts here: nothing sets or reads these bits."};
        break;
    }
    if (bank == 0)
        return r;
    r.copy = bankCopy(bank);
    r.note = (offset == 0x03 ? "Kept alike with 0003 for Z and C only. " : "") +
             reachedThroughFsr(offset);
    return r;
}

bool isShared(int offset) {
    return offset == 0x00 || offset == 0x02 || offset == 0x03 || offset == 0x04 || offset == 0x0A ||
           offset == 0x0B;
}

const RegisterName generalPurpose{"general purpose", "", "", ""};

// A tooltip does not wrap by itself: lines break at blanks near `width`.
std::string wrapped(const std::string& text, std::size_t width = 64) {
    std::string out;
    std::size_t lineStart = 0;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos)
            end = text.size();
        if (end - lineStart > width && at > lineStart) {
            out.back() = '\n';
            lineStart = at;
        }
        out.append(text, at, end - at);
        if (end < text.size())
            out += ' ';
        at = end + 1;
    }
    return out;
}

} // namespace

RegisterName registerName(int address) {
    if (address == 512)
        return {"beyond bank 3", "", "",
                "No register of the device; this line is reached through FSR 80 with bank 3 "
                "selected."};
    if (address < 0 || address > 512)
        return {};
    const int bank = address / 128;
    const int offset = address % 128;
    if (isShared(offset))
        return shared(offset, bank);
    const std::string optionBits = "RBPU INTEDG T0CS T0SE PSA PS2 PS1 PS0";
    switch (bank * 0x100 + offset) {
    case 0x001:
        return {"TMR0", "", "",
                "Does not count: there is no timer here, it keeps what is written."};
    case 0x201:
        return {"TMR0", bankCopy(2), "", "A register of its own here, not kept alike with 0001."};
    case 0x101:
        return {"OPTION", "", optionBits,
                "Kept only: there is no timer, prescaler or pull-up here. Instructions naming "
                "01 in bank 3 reach this line too."};
    case 0x301:
        return {"OPTION", bankCopy(3), optionBits,
                "Instructions naming 01 in bank 3 use 0081; this line is reached through FSR "
                "and INDF."};
    case 0x005:
        return {"PORTA", "", "RA7 RA6 RA5 RA4 RA3 RA2 RA1 RA0",
                "The RA lamps show it after each step, and the ticked boxes of its input pins "
                "are merged into it."};
    case 0x105:
        return {"TRISA", "", "TRISA7 TRISA6 TRISA5 TRISA4 TRISA3 TRISA2 TRISA1 TRISA0",
                "A bit of 1 makes its pin of port A an input: the box under its lamp appears."};
    case 0x006:
        return {"PORTB", "", "RB7 RB6 RB5 RB4 RB3 RB2 RB1 RB0",
                "The RB lamps show it after each step, and the ticked boxes of its input pins "
                "are merged into it."};
    case 0x206:
        return {"PORTB", bankCopy(2), "RB7 RB6 RB5 RB4 RB3 RB2 RB1 RB0",
                "A register of its own here: the lamps and boxes follow 0006 only."};
    case 0x106:
        return {"TRISB", "", "TRISB7 TRISB6 TRISB5 TRISB4 TRISB3 TRISB2 TRISB1 TRISB0",
                "A bit of 1 makes its pin of port B an input: the box under its lamp appears."};
    case 0x306:
        return {"TRISB", bankCopy(3), "TRISB7 TRISB6 TRISB5 TRISB4 TRISB3 TRISB2 TRISB1 TRISB0",
                "A register of its own here: the input boxes follow 0086 only."};
    default:
        return generalPurpose;
    }
}

std::string registerTip(int address) {
    const RegisterName r = registerName(address);
    std::string tip = r.name;
    if (!r.copy.empty())
        tip += " (" + r.copy + ")";
    if (!r.bits.empty())
        tip += "\nBits 7 to 0: " + r.bits;
    if (!r.note.empty())
        tip += "\n" + wrapped(r.note);
    return tip;
}

std::string wRegisterTip() {
    return wrapped("W, the working register: it has no line in the register file. Results go "
                   "here with the W mark (ADD 20 W) and from every literal form (ADD 3F H).");
}

} // namespace mirel::state
