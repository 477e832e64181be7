#include "files/open_program.h"
#include "state/register_file.h"
#include "state/window_load.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

namespace mirel::files {
namespace {

class OpenProgram : public ::testing::Test {
protected:
    std::string file(const std::string& name, const std::string& bytes) {
        return folder.write(name, bytes);
    }
    TempFolder folder;
    state::NoWindowPlacement placement;
    state::MainForm form;
};

TEST_F(OpenProgram, ResetsTheMachineAndSelectsTheFirstLine) {
    // A new program starts with no input held high, after New as after Open.
    form.InB[2].setValue(1);
    state::NewProgram(form, placement);
    EXPECT_EQ(form.InB[2].value(), 0);
    form.InA[3].setValue(1);
    state::writeRegister(form, 0x20, 0x77);
    form.SPReg.append("3");
    const auto path = file("p.txt", "0000\tLDA\t3F H\r\n0001\tSTA\t06\r\n0002\tNOP\t\r\n");

    const auto result = openProgram(form, placement, ProgramKind::Text, path);
    ASSERT_TRUE(result.opened) << result.error;
    EXPECT_EQ(form.Code.lines(),
              (std::vector<std::string>{"0000\tLDA\t3F H", "0001\tSTA\t06", "0002\tNOP\t"}));
    EXPECT_EQ(form.Code.selectedIndex(), 0);
    EXPECT_EQ(form.Counter.entryCount(), 3);
    EXPECT_EQ(form.Counter.editText(), "0000     LDA     3F H");
    ASSERT_EQ(form.Reg.count(), 513);
    EXPECT_EQ(state::readRegister(form, 0x20), 0);
    EXPECT_EQ(form.SPReg.lines(), std::vector<std::string>{"SP"});
    EXPECT_TRUE(form.Step.enabled());
    EXPECT_TRUE(form.StartKey.enabled());
    EXPECT_TRUE(form.Mirel.enabled());
    EXPECT_EQ(form.InA[3].value(), 0);
}

TEST_F(OpenProgram, AFileThatCannotBeReadLosesNoProgramLine) {
    state::NewProgram(form, placement);
    const std::string missing = folder.path("missing.txt");
    const auto result = openProgram(form, placement, ProgramKind::Text, missing);
    EXPECT_FALSE(result.opened);
    EXPECT_EQ(result.error, "Cannot open " + missing + ": No such file or directory");
    EXPECT_EQ(form.Code.lines(), std::vector<std::string>{"0000\t"});
    EXPECT_EQ(form.Reg.count(), 513);
    EXPECT_TRUE(form.Step.enabled());
}

TEST_F(OpenProgram, AnEmptyFileLeavesNoLineAndAnEmptyEntryLine) {
    state::NewProgram(form, placement);
    const auto result =
        openProgram(form, placement, ProgramKind::Text, file("e.txt", "\r\n0000\tNOP\t\r\n"));
    ASSERT_TRUE(result.opened);
    EXPECT_TRUE(form.Code.empty());
    EXPECT_EQ(form.Counter.editText(), "");
    EXPECT_EQ(form.Reg.count(), 513);
}

} // namespace
} // namespace mirel::files
