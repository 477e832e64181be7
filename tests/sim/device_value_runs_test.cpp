// A part's runs on values leave what as many Steps leave.
#include "debug/random_program.h"
#include "device_fixture.h"

#include <random>
#include <sstream>

namespace mirel::testing {
namespace {

// Everything a step may change, the part's hidden state included, as one text.
std::string machineText(Part& p) {
    const state::MainForm& f = p.form;
    std::ostringstream out;
    out << "W " << f.W.text() << " RW";
    for (const auto& bit : f.RW)
        out << bit.text();
    out << "\nPC " << f.Code.selectedIndex() << "\nCounter " << f.Counter.firstLine() << ' '
        << f.Counter.entryCount() << ' ' << f.Counter.selectedEntry() << " ["
        << f.Counter.editText() << "]\nPins ";
    for (std::size_t i = 0; i < 8; ++i)
        for (const auto* box : {&f.InA[i], &f.InB[i]})
            out << box->value() << box->visible() << box->enabled() << ' ';
    for (std::size_t i = 0; i < 8; ++i)
        out << f.RA[i].picture() << f.RB[i].picture();
    auto* part = p.simulator.deviceMachine();
    const sim::part::PartState& s = part->hiddenState();
    out << "\nHidden " << s.pc << ' ' << s.prescaler << ' ' << int{s.timerHold} << ' ' << s.sleeping
        << ' ' << int{s.portB} << ' ' << int{s.portBLatch} << ' ' << int{s.stackPointer} << ' '
        << part->woke() << " slots";
    for (auto slot : s.stack)
        out << ' ' << slot;
    out << "\nMessages " << p.messages.shown.size() << "\nSP";
    for (const auto& line : f.SPReg.lines())
        out << ' ' << line;
    out << '\n';
    for (const auto& line : f.Reg.lines())
        out << line << '\n';
    return out.str();
}

// A random program at addresses with gaps, where the erased word runs and
// no line is selected, and with lines that carry an address but no
// instruction. Bank bits RP1 and IRP are set and cleared too, and SLP is common. Most start
// Timer0 on a random prescaler with every interrupt enabled; each page of
// program memory begins with a way back to 0004, so that a computed jump
// into erased memory comes back soon.
std::vector<std::string> partProgram(std::mt19937& rng) {
    std::vector<std::string> lines;
    int address = 0;
    if (rng() % 4 != 0) {
        const int option = static_cast<int>(rng() % 0x50) & ~0x20; // Timer0 on the clock
        for (const std::string& start :
             {"LDA\t" + state::hex2(option) + " H", std::string("OPTION"), std::string("LDA\tB8 H"),
              std::string("STA\t0B")})
            lines.push_back(state::hex4(address++) + "\t" + start);
    }
    for (std::string instruction : randomProgram(rng, 40, true)) {
        if (rng() % 12 == 0)
            address += 1 + static_cast<int>(rng() % 3);
        if (rng() % 10 == 0)
            instruction = (rng() % 2 ? "SET\t03," : "RES\t03,") + std::to_string(5 + rng() % 3);
        else if (rng() % 20 == 0)
            instruction = "SLP";
        else if (rng() % 12 == 0)
            instruction = "RTI";
        lines.push_back(state::hex4(address++) +
                        (rng() % 25 == 0 ? std::string() : "\t" + instruction));
    }
    for (int page = 0x100; page < 0x2000; page += 0x100) {
        lines.push_back(state::hex4(page) + "\tCLR\t0A");
        lines.push_back(state::hex4(page + 1) + "\tJMP\t0004");
    }
    return lines;
}

// Calls nested eight deep while Timer0 is started each round a cycle later,
// so that sooner or later it rolls over in the call that fills the stack:
// the interrupt's push then overflows it in the same step.
std::vector<std::string> callsUnderTimer() {
    return at(0, {"LDA\t08 H", "OPTION", "JMP\t0010"}) + at(4, {"RES\t0B,2", "RTI"}) +
           at(0x10, {"LDA\tA0 H", "STA\t0B", "INC\t21", "LDA\t21 W", "AND\t1F H", "ORA\tE0 H",
                     "STA\t01", "LDA\t08 H", "STA\t20", "JSR\t0030", "JMP\t0012"}) +
           at(0x30, {"DEZ\t20", "JSR\t0030", "RTS"});
}

TEST(PartValueRuns, LeaveWhatAsManyStepsLeaveForRandomPrograms) {
    for (parts::Model model : {parts::Model::F84A, parts::Model::F628A, parts::Model::F877A}) {
        for (unsigned seed = 0; seed <= 20; ++seed) {
            SCOPED_TRACE(std::string(parts::modelName(model)) + " seed " + std::to_string(seed));
            std::mt19937 rng(seed);
            const auto program = seed == 0 ? callsUnderTimer() : partProgram(rng);
            Part run(model, program), stepped(model, program);
            // Texts typed by hand into W and register lines: a mirror, a port
            // direction with bits the part lacks (its boxes show them), a line
            // the part may have no register for.
            const char* w = seed % 3 == 0 ? "1fF" : seed % 3 == 1 ? "5" : "A7";
            const int fsr = 0x20 + static_cast<int>(rng() % 3) + (seed % 2 ? 0x80 : 0);
            for (Part* p : {&run, &stepped}) {
                p->form.W.setText(w);
                p->setReg(0x04, fsr);
                state::replaceRegisterLine(p->form, 0x21, "0021\t3c");
                state::replaceRegisterLine(p->form, 0x83, "0083\t18   junk");
                if (seed % 2 != 0) {
                    state::replaceRegisterLine(p->form, 0x85, "0085\tFF");
                    state::replaceRegisterLine(p->form, 0x105, "0105\t77");
                }
            }
            for (int done = 0; done < 2500;) {
                // Between runs the user ticks a pin or clicks a line.
                const auto pin = rng() % 8;
                const bool portB = rng() % 2 != 0;
                const int tick = static_cast<int>(rng() % 2);
                const int click = rng() % 10 == 0 ? static_cast<int>(rng() % program.size()) : -1;
                for (Part* p : {&run, &stepped}) {
                    (portB ? p->form.InB : p->form.InA)[pin].setValue(tick);
                    if (click >= 0)
                        p->form.Code.select(click);
                }
                const long long ran =
                    run.simulator.run(rng() % 4 ? 1 + rng() % 40 : 1 + rng() % 600);
                stepped.step(static_cast<int>(ran));
                done += static_cast<int>(ran);
                ASSERT_EQ(machineText(run), machineText(stepped)) << "after " << done << " steps";
            }
        }
    }
}

} // namespace
} // namespace mirel::testing
