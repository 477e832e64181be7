#include "state/register_file.h"
#include "state/window_load.h"

#include <gtest/gtest.h>

namespace mirel::state {
namespace {

struct CountingPlacement : WindowPlacement {
    int restored = 0;
    void restorePlacement() override { ++restored; }
};

void expectLoadedState(const MainForm& form) {
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_FALSE(form.RA[i].lit());
        EXPECT_FALSE(form.RB[i].lit());
        EXPECT_FALSE(form.InA[i].visible());
        EXPECT_FALSE(form.InB[i].visible());
    }
    EXPECT_EQ(form.SPReg.lines(), std::vector<std::string>{"SP"});
    EXPECT_FALSE(form.Fast.visible() || form.Fast.enabled());
    EXPECT_FALSE(form.Slow.visible() || form.Slow.enabled());
    EXPECT_FALSE(form.StopKey.visible() || form.StopKey.enabled());
    EXPECT_TRUE(form.StartKey.visible());
    EXPECT_FALSE(form.Timer1.enabled());
}

TEST(WindowLoad, StartUpLeavesEmptyViewsAndDisabledButtons) {
    MainForm form;
    CountingPlacement placement;
    Form_Load(form, placement);
    EXPECT_EQ(placement.restored, 1);
    expectLoadedState(form);
    EXPECT_FALSE(form.StartKey.enabled());
    EXPECT_FALSE(form.Step.enabled());
    EXPECT_FALSE(form.Mirel.enabled());
    EXPECT_TRUE(form.Reg.empty());
    EXPECT_TRUE(form.Code.empty());
    EXPECT_EQ(form.W.text(), "00");
    EXPECT_EQ(form.Label5.text(), "500");
    EXPECT_EQ(form.Timer1.interval(), 10);
    EXPECT_EQ(form.InA[0].caption(), "InA");
    EXPECT_EQ(form.InB[7].caption(), "InB");
}

TEST(WindowLoad, NewResetsTheMachineButKeepsW) {
    MainForm form;
    CountingPlacement placement;
    NewProgram(form, placement);
    // Dirty everything New is meant to reset.
    form.SPReg.append("5");
    form.Timer1.setEnabled(true);
    form.RA[3].setPicture(LampModel::Lit);
    form.InB[2].setVisible(true);
    writeRegister(form, 0x20, 0x55);
    form.Code.append("0001\tNOP\t");
    form.Code.select(1);
    form.W.setText("3C");

    NewProgram(form, placement);
    EXPECT_EQ(placement.restored, 2) << "New moves the window back to its stored place";
    expectLoadedState(form);
    EXPECT_TRUE(form.StartKey.enabled());
    EXPECT_TRUE(form.Step.enabled());
    EXPECT_TRUE(form.Mirel.enabled());
    EXPECT_EQ(form.Reg.count(), 513);
    EXPECT_EQ(readRegister(form, 0x20), 0);
    EXPECT_EQ(form.Code.lines(), std::vector<std::string>{"0000\t"});
    EXPECT_EQ(form.Code.selectedIndex(), -1);
    EXPECT_EQ(form.Counter.editText(), "0000     ");
    EXPECT_EQ(form.W.text(), "3C");
    EXPECT_EQ(form.RW[2].text(), "1");
}

} // namespace
} // namespace mirel::state
