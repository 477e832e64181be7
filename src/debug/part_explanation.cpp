// A part's step told from what it did on the overlay: the statement, the
// values it read, what it stored and the flags it set, then what the rest
// of the step did (Timer0, port B's flags, an interrupt taken).
#include "part_explanation.h"

#include "asm/disassembler.h"
#include "line_notices.h"
#include "sim/device/part_overlay.h"
#include "sim/device/part_step.h"
#include "state/hex_text.h"
#include "state/program_text.h"

#include <algorithm>

namespace mirel::debug {

namespace {

using namespace sim::device;
using state::hex2;
using state::hex4;

constexpr int statusC = 0x01, statusDC = 0x02, statusZ = 0x04;

// The operator and the flags of the byte operations on f and W, by opcode.
struct ByteOperation {
    const char* mnemonic;
    int flags;
};
constexpr ByteOperation byteOperations[16] = {
    {"", 0},
    {"CLR", statusZ},
    {"SUB", rules::arithmeticFlags},
    {"DEC", statusZ},
    {"ORA", statusZ},
    {"AND", statusZ},
    {"XOR", statusZ},
    {"ADD", rules::arithmeticFlags},
    {"LDA", statusZ},
    {"CPL", statusZ},
    {"INC", statusZ},
    {"DEZ", 0},
    {"RRA", statusC},
    {"RLA", statusC},
    {"SPA", 0},
    {"INZ", 0},
};

// The registers as they stood before the step, for the operands' words.
class Before : public BankedRegisters<Before> {
public:
    explicit Before(const PartOverlay& o) : BankedRegisters(o.map()), o_(o) {}
    int value(int home) const { return o_.lineBefore(home); }
    void store(int, int) {}

private:
    const PartOverlay& o_;
};

// The words of one step: the operands as they stood before it, the results
// as the overlay's step left them.
class PartWords {
public:
    explicit PartWords(PartOverlay& o)
        : o_(o), before_(o), pc_(o.currentPc()), next_((pc_ + 1) & rules::pcMask),
          word_(o.word(pc_)), scratch_(o.stateBefore()), run_{before_, scratch_, next_} {}

    int word() const { return word_; }

    // The statement: the line's own text where the line holds the word that
    // runs, else the address and what the word there runs as.
    std::string statement() const {
        const int selected = o_.form().Code.selectedIndex();
        if (selected >= 0 && o_.image().addressOf(selected) == pc_ &&
            lineWord(o_.form().Code.line(selected)) == word_)
            return statementText(state::compactText(o_.form().Code.line(selected)));
        std::string runs = assembler::GetOpcodeName(hex4(word_));
        for (char& c : runs)
            if (c == '\t')
                c = ' ';
        return hex4(pc_) + (word_ == erasedWord ? " erased word " : " word ") + hex4(word_) + " (" +
               runs + ")";
    }

    // What the instruction does; the overlay has run the step by now.
    std::string instruction() {
        switch ((word_ >> 12) & 3) {
        case 0:
            return byteOperation();
        case 1:
            return bitOperation();
        case 2:
            return transfer();
        default:
            return literalOperation();
        }
    }

    // What the step did after the instruction.
    std::string rest() const {
        const auto& after = *o_.afterInstruction();
        std::string words;
        const int tmr0 = o_.line(reg::TMR0), intcon = o_.line(reg::INTCON);
        const int intconBefore = after.lines[reg::INTCON];
        if (tmr0 != after.lines[reg::TMR0]) {
            const bool rolled = (intcon & intconT0IF) != 0 && (intconBefore & intconT0IF) == 0;
            words += rolled ? ", TMR0 rolls over to " + hex2(tmr0) + ": T0IF = 1"
                            : ", TMR0 counts to " + hex2(tmr0);
        }
        if ((intcon & intconINTF) != 0 && (intconBefore & intconINTF) == 0)
            words += ", RB0's edge sets INTF";
        if ((intcon & intconRBIF) != 0 && (intconBefore & intconRBIF) == 0)
            words += ", port B's change sets RBIF";
        if (o_.interruptTaken()) {
            words += "; then the interrupt: pushes " + hex4(after.pc) + ", GIE = 0";
            words += messageOf(after.messages);
            words += ", jumps to " + place(interruptVector);
        }
        return words;
    }

    // The line carrying an address, or the address with no line there.
    std::string place(int address) const {
        const int line = o_.image().lineAt(address);
        return line >= 0 ? lineName(o_.form().Code.line(line), line)
                         : hex4(address) + " (no line: the erased word)";
    }

private:
    // The register an operand reaches, as the words name it: its name in
    // the part, else its address; through INDF the register FSR points at.
    std::string registerName(int f) const {
        const int a = rules::address(run_, f);
        if (a < 0)
            return "INDF (no register)";
        const std::string_view name = o_.map().name[static_cast<std::size_t>(a)];
        const std::string own = name.empty() ? "[" + hex4(a) + "]" : std::string(name);
        return before_.home(before_.direct(f)) == reg::INDF ? "INDF " + own : own;
    }
    // Read as the instruction reads it (PCL gives the next address), before the step.
    std::string operand(int f) { return registerName(f) + " " + hex2(rules::readF(run_, f)); }
    // What the instruction left in f, or nothing when f reaches no register.
    std::optional<int> stored(int f) const {
        const int a = rules::address(run_, f);
        if (a < 0)
            return std::nullopt;
        return o_.afterInstruction()->lines[static_cast<std::size_t>(a)];
    }
    std::string result(bool toF, int f) const {
        if (!toF)
            return hex2(o_.afterInstruction()->w);
        const auto value = stored(f);
        return value ? hex2(*value) : "nothing is kept";
    }
    std::string flags(int mask) const {
        const int status = o_.afterInstruction()->lines[reg::STATUS];
        std::string words;
        if ((mask & statusZ) != 0)
            words += flagWords("Z", (status & statusZ) != 0);
        if ((mask & statusDC) != 0)
            words += flagWords("DC", (status & statusDC) != 0);
        if ((mask & statusC) != 0)
            words += flagWords("C", (status & statusC) != 0);
        return words;
    }
    static std::string flagWords(const char* name, bool on) {
        return std::string(", ") + name + " = " + (on ? "1" : "0");
    }
    std::string messageOf(std::size_t i) const {
        if (i >= o_.messages().size())
            return "";
        const std::string& text = o_.messages()[i];
        return " (" + text.substr(std::min(text.find_first_not_of(' '), text.size())) + ")";
    }

    // Where the instruction sent the program counter, when not to the next address.
    std::string afterSkip(bool skipping) const {
        const int pc = o_.afterInstruction()->pc;
        if (pc == next_)
            return skipping ? ", no skip" : "";
        if (skipping && pc == ((next_ + 1) & rules::pcMask))
            return ", skips " + place(next_);
        return ", jumps to " + place(pc); // a write to PCL
    }

    std::string byteOperation() {
        const int f = word_ & 0x7F;
        const bool toF = (word_ & 0x80) != 0;
        const int op = (word_ >> 8) & 0x0F;
        if (op == 0)
            return toF ? registerName(f) + " = W " + hex2(o_.wBefore()) + afterSkip(false)
                       : special();
        const std::string dest = toF ? registerName(f) : std::string("W");
        const ByteOperation& operation = byteOperations[op];
        if (op == 1)
            return dest + " = 00" + flags(statusZ) + afterSkip(false);
        const std::string a = operand(f);
        const std::string w = (toF ? "W " : "") + hex2(o_.wBefore());
        std::string formula;
        switch (op) {
        case 0x2:
            formula = a + " - " + w;
            break;
        case 0x3:
        case 0xB:
            formula = a + " - 1";
            break;
        case 0x4:
            formula = w + " OR " + a;
            break;
        case 0x5:
            formula = w + " AND " + a;
            break;
        case 0x6:
            formula = w + " XOR " + a;
            break;
        case 0x7:
            formula = w + " + " + a;
            break;
        case 0x8:
            formula = a;
            break;
        case 0x9:
            formula = "NOT " + a;
            break;
        case 0xA:
        case 0xF:
            formula = a + " + 1";
            break;
        case 0xC:
        case 0xD: {
            const int carry = o_.lineBefore(reg::STATUS) & statusC;
            formula = a + " rotated " + (op == 0xC ? "right" : "left") + " through C " +
                      std::to_string(carry);
            break;
        }
        default:
            formula = a + " with its halves swapped";
            break;
        }
        return dest + " = " + formula + " = " + result(toF, f) + flags(operation.flags) +
               afterSkip(op == 0xB || op == 0xF);
    }

    std::string special() const {
        switch (word_ & 0x7F) {
        case 0x08:
            return returnWords("");
        case 0x09:
            return returnWords(", GIE = 1");
        case 0x62:
            return "OPTION = W " + hex2(o_.wBefore());
        case 0x63:
            return o_.state().sleeping
                       ? "sleeps, TO = 1, PD = 0: the clock stands until an enabled interrupt "
                         "flag wakes the part"
                       : "an interrupt flag is set already: does nothing";
        case 0x64:
            return "no watchdog to clear: TO = 1, PD = 1";
        case 0x65:
        case 0x66:
        case 0x67:
            return std::string((word_ & 0x7F) == 0x65   ? "TRISA"
                               : (word_ & 0x7F) == 0x66 ? "TRISB"
                                                        : "TRISC") +
                   " = W " + hex2(o_.wBefore());
        default:
            return "does nothing";
        }
    }

    std::string returnWords(const std::string& more) const {
        const int pc = o_.afterInstruction()->pc;
        return "pops " + hex4(pc) + messageOf(0) + more + ", returns to " + place(pc);
    }

    std::string bitOperation() {
        const int f = word_ & 0x7F;
        const int bit = (word_ >> 7) & 7;
        const int kind = (word_ >> 10) & 3;
        const std::string name = registerName(f);
        if (kind < 2) {
            const std::string a = operand(f);
            const auto value = stored(f);
            return name + " = " + a + " with bit " + std::to_string(bit) +
                   (kind == 1 ? " set" : " cleared") + " = " +
                   (value ? hex2(*value) : "nothing is kept") + afterSkip(false);
        }
        const std::string a = operand(f);
        return name + " bit " + std::to_string(bit) + " is " +
               (((rules::readF(run_, f) >> bit) & 1) != 0 ? "1" : "0") + afterSkip(true);
    }

    std::string transfer() const {
        const int pc = o_.afterInstruction()->pc;
        std::string words;
        if ((word_ & 0x0800) == 0)
            words = "pushes " + hex4(next_) + messageOf(0) + ", ";
        return words + "jumps to " + place(pc);
    }

    std::string literalOperation() const {
        const int k = word_ & 0xFF;
        const std::string w = hex2(o_.wBefore());
        const std::string result = hex2(o_.afterInstruction()->w);
        switch ((word_ >> 8) & 0x0F) {
        case 0x0:
        case 0x1:
        case 0x2:
        case 0x3:
            return "W = " + hex2(k);
        case 0x4:
        case 0x5:
        case 0x6:
        case 0x7:
            return "W = " + hex2(k) + ", " + returnWords("");
        case 0x8:
            return "W = " + w + " OR " + hex2(k) + " = " + result + flags(statusZ);
        case 0x9:
            return "W = " + w + " AND " + hex2(k) + " = " + result + flags(statusZ);
        case 0xA:
            return "W = " + w + " XOR " + hex2(k) + " = " + result + flags(statusZ);
        case 0xC:
        case 0xD:
            return "W = " + hex2(k) + " - " + w + " = " + result + flags(rules::arithmeticFlags);
        case 0xE:
        case 0xF:
            return "W = " + w + " + " + hex2(k) + " = " + result + flags(rules::arithmeticFlags);
        default:
            return "names no operation of the part: does nothing";
        }
    }

    PartOverlay& o_;
    Before before_;
    int pc_;
    int next_;
    int word_;
    DeviceState scratch_; // port B's latch as a read before the step would leave it
    Execution<Before> run_;
};

StepPrediction predictionOf(const PartOverlay& o, int cycles) {
    StepPrediction p;
    p.executes = cycles > 0;
    for (int i = 0; i < o.form().Reg.count() && i < state::registerCount; ++i)
        if (o.line(i) != o.lineBefore(i))
            p.registers.push_back({i, o.line(i)});
    if (o.wWritten())
        p.w = hex2(o.w());
    p.selected = o.selected();
    if (o.stackChanged())
        p.stack = o.stack();
    p.messages = o.messages();
    p.cycles = cycles;
    return p;
}

} // namespace

StepExplanation explainPartStep(const state::MainForm& form,
                                const sim::device::DeviceMachine& machine) {
    StepExplanation out;
    PartOverlay overlay(form, machine);
    PartWords words(overlay);
    const std::string statement = words.statement();
    const bool asleep = overlay.stateBefore().sleeping;
    bool woke = false;
    const int cycles = overlay.step(woke);
    out.prediction = predictionOf(overlay, cycles);
    if (asleep) {
        out.text = woke ? "Asleep: an enabled interrupt flag wakes the part; the next Step runs " +
                              words.place(overlay.currentPc())
                        : "Asleep: the clock stands until an enabled interrupt flag wakes the part";
        return out;
    }
    std::string text = statement + ": " + words.instruction();
    out.text = text + words.rest();
    return out;
}

} // namespace mirel::debug
