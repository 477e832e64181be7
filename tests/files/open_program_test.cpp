#include "files/open_program.h"
#include "state/register_file.h"
#include "state/window_load.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace mirel::files {
namespace {

namespace fs = std::filesystem;

class OpenProgram : public ::testing::Test {
protected:
    OpenProgram() {
        dir =
            fs::temp_directory_path() /
            ("mirelsim-open-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    ~OpenProgram() override { fs::remove_all(dir); }
    std::string file(const std::string& name, const std::string& bytes) {
        const fs::path p = dir / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    fs::path dir;
    state::NoWindowPlacement placement;
    state::MainForm form;
};

TEST_F(OpenProgram, ResetsTheMachineAndSelectsTheFirstLine) {
    state::NewProgram(form, placement);
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
}

TEST_F(OpenProgram, AFileThatCannotBeReadLosesNoProgramLine) {
    state::NewProgram(form, placement);
    const auto result =
        openProgram(form, placement, ProgramKind::Text, (dir / "missing.txt").string());
    EXPECT_FALSE(result.opened);
    EXPECT_NE(result.error.find("missing.txt"), std::string::npos) << result.error;
    EXPECT_EQ(form.Code.lines(), std::vector<std::string>{"0000\t"});
    EXPECT_FALSE(form.Step.enabled());
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
