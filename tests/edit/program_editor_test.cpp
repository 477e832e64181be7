// Inserting and deleting program lines keeps the program doing what it did;
// Undo and Redo bring back the exact program.
#include "edit/program_editor.h"
#include "edit/renumbering.h"
#include "sim/machine_fixture.h"
#include "sim/teaching/return_stack.h"
#include "state/direct_edits.h"

#include <random>
#include <sstream>

namespace mirel::testing {
namespace {

using edit::Lines;

struct RenumberCase {
    const char* what;
    Lines before;
    bool insert; // else delete
    int index;
    Lines after;
};

TEST(Renumbering, MovesAddressesAndKeepsEveryJumpOnItsLine) {
    const Lines program = {"0000\tJMP\t0002", "0001\tINC\t20",   "0002\tJSR\t0001",
                           "0003\tJMP\t0000", "0004\tJMP\t0009", "0005   "};
    const RenumberCase cases[] = {
        {"insert: later addresses and the jumps to them move, one past the end stays past it",
         program,
         true,
         1,
         {"0000\tJMP\t0003", "0001\tNOP", "0002\tINC\t20", "0003\tJSR\t0002", "0004\tJMP\t0000",
          "0005\tJMP\t000A", "0006   "}},
        {"delete: a jump to the deleted line goes to the line that followed it",
         program,
         false,
         1,
         {"0000\tJMP\t0001", "0001\tJSR\t0001", "0002\tJMP\t0000", "0003\tJMP\t0008", "0004   "}},
        {"delete of the last line: a jump to it goes past the end",
         {"0000\tJMP\t0001", "0001\tNOP"},
         false,
         1,
         {"0000\tJMP\t0001"}},
        {"lines without an address keep their text; operands as typed keep their form",
         {"0000\tLDA\t05 W", "; count down", "0001\tjmp 0 0 0 0", "End"},
         true,
         0,
         {"0000\tNOP", "0001\tLDA\t05 W", "; count down", "0002\tjmp 0001", "End"}},
        {"a jump that went by line index keeps going by index",
         {"0100\tJMP\t0002", "0101\tNOP", "0102\tJMP\t0100"},
         true,
         0,
         {"0100\tNOP", "0101\tJMP\t0003", "0102\tNOP", "0103\tJMP\t0101"}},
        {"a jump without operand digits gets them",
         {"0000\tJMP", "0001\tNOP"},
         true,
         0,
         {"0000\tNOP", "0001\tJMP\t0001", "0002\tNOP"}},
        {"a NOP before a line without address takes the address after the line above",
         {"0007\tNOP", "End"},
         true,
         1,
         {"0007\tNOP", "0008\tNOP", "End"}},
    };
    for (const RenumberCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Lines after = c.insert ? edit::withNopInserted(c.before, c.index)
                                     : edit::withLineDeleted(c.before, c.index);
        EXPECT_EQ(after, c.after);
    }
}

// A random program of every family whose jumps and calls reach every line
// and past the end, as Enter leaves it (a fresh address line last), at
// address 0 or at 0100 with some jumps by line index.
Lines randomProgram(std::mt19937& rng, int count, int base) {
    const char* byteOps[] = {"STA", "CLR", "SUB", "DEC", "ORA", "AND", "XOR", "ADD",
                             "LDA", "CPL", "INC", "DEZ", "RRA", "RLA", "SPA", "INZ"};
    const char* regs[] = {"00", "03", "04", "05", "06", "20", "21", "22", "23"};
    const char* tails[] = {"", " W", " H"};
    const char* bitOps[] = {"RES", "SET", "JBR", "JBS"};
    auto number = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    auto pick = [&](auto& items) { return std::string(items[number(std::size(items))]); };
    Lines program;
    for (int i = 0; i < count; ++i) {
        std::string text;
        switch (number(10)) {
        case 0:
            text = pick(bitOps) + "\t" + pick(regs) + "," + std::to_string(number(8));
            break;
        case 1:
        case 2:
        case 3: {
            const int target = base && number(4) == 0 ? number(count) : base + number(count + 3);
            text = (number(3) ? "JMP\t" : "JSR\t") + state::hex4(target);
            break;
        }
        case 4:
            text = number(3) ? "RTS" : "RET\t" + state::hex2(number(256)) + " H";
            break;
        default:
            text = pick(byteOps) + "\t" + pick(regs) + pick(tails);
        }
        program.push_back(state::hex4(base + i) + "\t" + text);
    }
    program.push_back(state::hex4(base + count) + "   ");
    return program;
}

struct EditMachine : Machine {
    explicit EditMachine(const Lines& lines) : Machine({}) { loadLines(lines); }
    debug::Debugger debugger{form, simulator, nullptr};
    edit::ProgramEditor editor{form, debugger};
};

TEST(Renumbering, AProgramWithANopBeforeItsFirstLineRunsAsBefore) {
    int compared = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        const Lines program = randomProgram(rng, 30, seed % 2 ? 0 : 0x100);
        for (int i = 0; i < static_cast<int>(program.size()); ++i)
            ASSERT_EQ(edit::withLineDeleted(edit::withNopInserted(program, i), i), program)
                << "the NOP inserted before line " << i << " deleted again";

        Machine plain({});
        plain.loadLines(program);
        EditMachine edited(program);
        ASSERT_TRUE(edited.editor.insertLine());
        ASSERT_EQ(edited.form.Code.line(0).substr(4), "\tNOP");
        ASSERT_EQ(edited.selected(), 0);
        edited.step(); // the NOP

        for (int step = 0; step < 300; ++step) {
            plain.step();
            edited.step();
            // A return with an empty stack goes to line 1 whatever it holds.
            if (!plain.messages.shown.empty() &&
                plain.messages.shown.back().text == sim::stackUnderflowMessage)
                break;
            ASSERT_EQ(edited.selected(), plain.selected() + 1) << "after step " << step;
            ASSERT_EQ(edited.form.W.text(), plain.form.W.text());
            ASSERT_EQ(edited.form.Reg.lines(), plain.form.Reg.lines());
            Lines calls = plain.stack();
            for (std::size_t k = 1; k < calls.size(); ++k)
                calls[k] = std::to_string(std::stoi(calls[k]) + 1);
            ASSERT_EQ(edited.stack(), calls);
            ASSERT_EQ(edited.messages.shown.size(), plain.messages.shown.size());
            ++compared;
        }
    }
    EXPECT_GT(compared, 2000);
}

// The program as the user sees it: lines, marks, selection, entry line, stack.
std::string seen(const EditMachine& m) {
    std::ostringstream out;
    for (const auto& line : m.form.Code.lines())
        out << line << '\n';
    out << "marks";
    for (int line : m.debugger.breakpoints().lines())
        out << ' ' << line;
    out << "\nselected " << m.form.Code.selectedIndex() << "\nentry [" << m.form.Counter.editText()
        << "]\nSP";
    for (const auto& line : m.form.SPReg.lines())
        out << ' ' << line;
    return out.str();
}

TEST(ProgramEditor, UndoAndRedoBringBackTheExactProgramOfEveryEdit) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        auto number = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        EditMachine m(randomProgram(rng, 12, 0));
        m.form.SPReg.append("3");
        m.form.SPReg.append("9");

        std::vector<std::string> beforeEdit;
        while (beforeEdit.size() < 40) {
            // Between edits the user moves about and marks lines.
            m.form.Code.select(number(m.form.Code.count()));
            if (number(3) == 0)
                m.debugger.breakpoints().toggle(m.form.Code.selectedIndex());
            const std::string before = seen(m);
            switch (number(5)) {
            case 0:
                ASSERT_TRUE(m.editor.insertLine());
                break;
            case 1:
                if (!m.editor.deleteLine())
                    continue;
                break;
            case 2:
                m.editor.record([&] { state::Mirel_Click(m.form); });
                break;
            default:
                m.form.Counter.setEditText("0000 LDA " + state::hex2(number(256)) + " H");
                m.editor.record([&] { state::Counter_KeyPress(m.form, state::enterKey); });
            }
            if (seen(m) != before)
                beforeEdit.push_back(before);
        }

        std::vector<std::string> beforeUndo;
        for (auto edit = beforeEdit.rbegin(); edit != beforeEdit.rend(); ++edit) {
            beforeUndo.push_back(seen(m));
            ASSERT_TRUE(m.editor.undo());
            ASSERT_EQ(seen(m), *edit);
        }
        EXPECT_FALSE(m.editor.canUndo());
        for (auto state = beforeUndo.rbegin(); state != beforeUndo.rend(); ++state) {
            ASSERT_TRUE(m.editor.redo());
            ASSERT_EQ(seen(m), *state);
        }
        EXPECT_FALSE(m.editor.canRedo());

        // Nothing is edited while a run is on.
        m.form.Timer1.setEnabled(true);
        EXPECT_FALSE(m.editor.canUndo() || m.editor.canInsertLine() || m.editor.canDeleteLine());
        EXPECT_FALSE(m.editor.insertLine() || m.editor.deleteLine() || m.editor.undo());
    }
}

// JMP and JSR hold eleven address bits: an insertion that would move a
// target past 07FF is refused and changes nothing.
TEST(ProgramEditing, InsertLineKeepsJumpsWithinTheirAddresses) {
    const Lines program = {"07FD\tNOP\t", "07FE\tJSR\t07FF", "07FF\tJMP\t07FF", "0800   "};
    EditMachine m(program);
    for (int line : {0, 1, 2}) {
        m.form.Code.select(line);
        EXPECT_FALSE(m.editor.insertLine());
        EXPECT_EQ(m.editor.refusal(), "No line inserted: a jump would have to go past address "
                                      "07FF, which JMP and JSR cannot reach.");
        EXPECT_EQ(m.form.Code.lines(), program);
        EXPECT_FALSE(m.editor.canUndo());
    }
    m.form.Code.select(3);
    EXPECT_TRUE(m.editor.insertLine());
    EXPECT_EQ(m.editor.refusal(), "");
}

} // namespace
} // namespace mirel::testing
