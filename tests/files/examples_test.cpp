// The example programs a learner opens first: each ends as its comment says.
#include "files/open_program.h"
#include "files/text_program_reader.h"
#include "sim/simulator.h"
#include "state/register_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

namespace mirel {
namespace {

struct NoMessages final : state::MessageBoxService {
    void show(const std::string& text, const std::string&, state::MessageIcon) override {
        ADD_FAILURE() << "unexpected message: " << text;
    }
};

TEST(Examples, EachEndsAsItsCommentSays) {
    const struct {
        const char* file;
        int steps;
        std::vector<std::size_t> ticked; // InA boxes ticked before the run
        int pc;
        std::map<int, int> registers;
        parts::Model model = parts::Model::Teaching; // as Debug > Device chose before Open
    } examples[] = {
        {"counter.mrl", 11, {}, 1, {{0x06, 0x05}}},
        {"subroutine.mrl", 38, {}, 6, {{0x20, 0x00}, {0x21, 0x2A}}},
        {"table.mrl", 52, {}, 11, {{0x04, 0x38}, {0x30, 1}, {0x33, 4}, {0x37, 8}, {0x38, 0}}},
        {"inputs.mrl", 7, {0, 2}, 7, {{0x06, 0x05}, {0x85, 0xFF}, {0x86, 0x00}}},
        {"running_light.mrl", 16, {}, 2, {{0x06, 0x80}}},
        // Two Timer0 interrupts; RB0 rising as an output sets INTF, which nothing enabled.
        {"timer_interrupt.mrl", 6000, {}, 11, {{0x06, 0x02}, {0x0B, 0xA2}}, parts::Model::F84A},
    };
    for (const auto& example : examples) {
        SCOPED_TRACE(example.file);
        const std::string path = std::string(MIRELSIM_EXAMPLES_DIR "/") + example.file;
        // The program, an empty line, then the line that says what it does.
        std::ifstream in(path, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        EXPECT_GT(bytes.size(), bytes.find("\r\n\r\n") + 6);
        const std::string note = files::exampleNote(bytes);
        EXPECT_EQ(note, bytes.substr(bytes.find("\r\n\r\n") + 4, note.size()));
        EXPECT_GT(note.size(), 40u);

        state::MainForm form;
        form.chosenModel = example.model;
        state::NoWindowPlacement placement;
        NoMessages messages;
        ASSERT_TRUE(files::openProgram(form, placement, files::ProgramKind::Mirel, path).opened);
        for (std::size_t box : example.ticked)
            form.InA[box].setValue(1);
        sim::Simulator simulator(form, messages);
        for (int i = 0; i < example.steps; ++i)
            simulator.Step_Click();

        EXPECT_EQ(form.Code.selectedIndex(), example.pc);
        EXPECT_EQ(form.SPReg.count(), 1); // the stack holds only its heading
        for (const auto& [address, value] : example.registers)
            EXPECT_EQ(state::readRegister(form, address), value) << "register " << address;
    }
}

} // namespace
} // namespace mirel
