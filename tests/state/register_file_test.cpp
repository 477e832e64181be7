#include "state/flags.h"
#include "state/hex_text.h"
#include "state/register_file.h"
#include "state/register_names.h"
#include "state/window_load.h"

#include <gtest/gtest.h>

#include <set>

namespace mirel::state {
namespace {

class RegisterFile : public ::testing::Test {
protected:
    RegisterFile() { NewProgram(form, placement); }
    void setStatus(int v) { writeRegister(form, STATUS, v); }
    NoWindowPlacement placement;
    MainForm form;
};

TEST_F(RegisterFile, NewBuildsFiveHundredThirteenClearedLines) {
    ASSERT_EQ(form.Reg.count(), 513);
    EXPECT_EQ(form.Reg.line(0), "0000\t00   00000000");
    EXPECT_EQ(form.Reg.line(511).substr(0, 5), "01FF\t");
    EXPECT_EQ(form.Reg.line(512), "0200\t00   00000000");
}

TEST_F(RegisterFile, AWriteRebuildsOneWholeLine) {
    writeRegister(form, 0x0C, 5);
    EXPECT_EQ(form.Reg.line(12), "000C\t05   00000101");
    EXPECT_EQ(readRegister(form, 12), 5);
    EXPECT_EQ(form.Reg.count(), 513);
}

// Values and hand-put text side by side: a line reads back as the text it was
// last given, whichever way, and observers hear only real changes.
TEST_F(RegisterFile, LinesReadAsLastWrittenByValueOrByHand) {
    struct Seen : TextListObserver {
        const TextList* reg = nullptr;
        std::vector<std::string> events;
        void linesAboutToChange() override { events.push_back("before " + reg->line(0x20)); }
        void lineReplaced(int i) override { events.push_back("rep " + std::to_string(i)); }
    } seen;
    seen.reg = &form.Reg;
    form.Reg.addObserver(&seen);
    writeRegister(form, 0x20, 0xA5);
    writeRegister(form, 0x20, 0xA5); // the same value again is no change
    form.Reg.replaceAt(0x20, "0020\t1FF   11111111");
    EXPECT_EQ(readRegister(form, 0x20), 0x1F) << "characters 6 and 7 of a hand-put line";
    writeRegister(form, 0x20, 0x1F); // rewrites the odd line in the layout of a write
    form.Reg.replaceAt(0x21, "0021\tg");
    EXPECT_EQ(readRegister(form, 0x21), 0);
    form.Reg.removeObserver(&seen);
    EXPECT_EQ(seen.events, (std::vector<std::string>{"before 0020\t00   00000000", "rep 32",
                                                     "before 0020\tA5   10100101", "rep 32",
                                                     "before 0020\t1FF   11111111", "rep 32",
                                                     "before 0020\t1F   00011111", "rep 33"}));

    // Lines that move keep their text; a write then gives the new index's address.
    writeRegister(form, 0x22, 0x5A);
    form.Reg.insertAt(0x20, "x");
    EXPECT_EQ(form.Reg.line(0x23), "0022\t5A   01011010");
    EXPECT_EQ(readRegister(form, 0x23), 0x5A);
    writeRegister(form, 0x23, 0x5B);
    EXPECT_EQ(form.Reg.line(0x23), "0023\t5B   01011011");
    form.Reg.removeAt(0x20);
    EXPECT_EQ(form.Reg.line(0x21), "0021\tg");
    EXPECT_EQ(form.Reg.line(0x22), "0023\t5B   01011011");
    EXPECT_EQ(readRegister(form, 0x22), 0x5B);
}

TEST_F(RegisterFile, IndicesWithoutALineReadZeroAndIgnoreWrites) {
    writeRegister(form, 513, 7);
    writeRegister(form, 639, 7);
    EXPECT_EQ(readRegister(form, 513), 0);
    EXPECT_EQ(form.Reg.count(), 513);
    EXPECT_EQ(form.Reg.line(512), "0200\t00   00000000");
}

TEST_F(RegisterFile, HexDecConvAppliesTheBankToAllButTheSharedRegisters) {
    const struct {
        const char* text;
        int status;
        int index;
    } rows[] = {
        {"0000STA0C", 0x00, 12},  {"0000STA0C", 0x20, 140}, {"0000STA0C", 0x40, 268},
        {"0000STA0C", 0x60, 396}, {"0000STA0C", 0xE0, 396}, {"0000STA03", 0x60, 3},
        {"0000STA00", 0x20, 0},   {"0000STA02", 0x40, 2},   {"0000STA04", 0x60, 4},
        {"0000STA0A", 0x20, 10},  {"0000STA0B", 0x20, 11},  {"0000STA01", 0x60, 129},
        {"0000STA01", 0x40, 257}, {"0000STA05", 0x20, 133}, {"0000STAFF", 0x60, 639},
        {"0000STA", 0x00, 0},
    };
    for (const auto& row : rows) {
        setStatus(row.status);
        EXPECT_EQ(HexDecConv(form, row.text), row.index) << row.text << " status " << row.status;
    }
    EXPECT_EQ(HexDecConvH("0000ADD3FH"), 0x3F);
}

TEST_F(RegisterFile, IndirectTargetIsFsrPlusBankOffset) {
    setStatus(0x60);
    writeRegister(form, FSR, 0x80);
    EXPECT_EQ(indirectTarget(form), 512);
    setStatus(0x20);
    writeRegister(form, FSR, 0x05);
    EXPECT_EQ(indirectTarget(form), 133);
    setStatus(0x80); // bit 7 plays no part
    EXPECT_EQ(indirectTarget(form), 5);
}

TEST_F(RegisterFile, FlagChangesRewriteEveryStatusCopyFromItsOwnValue) {
    writeRegister(form, 3, 0x18);
    writeRegister(form, 131, 0x01);
    writeRegister(form, 259, 0xFF);
    ZFlagChange(form, 0);
    EXPECT_EQ(form.Reg.line(3), "0003\t1C   00011100");
    EXPECT_EQ(form.Reg.line(131), "0083\t05   00000101");
    EXPECT_EQ(form.Reg.line(259), "0103\tFF   11111111");
    EXPECT_EQ(form.Reg.line(387), "0183\t04   00000100");
    EXPECT_TRUE(zeroFlag(form));

    CFlagChange(form, 1);
    EXPECT_EQ(readRegister(form, 3), 0x1D);
    EXPECT_EQ(readRegister(form, 387), 0x05);
    EXPECT_TRUE(carryFlag(form));

    ZFlagChange(form, 1);
    CFlagChange(form, 0);
    for (int index : statusCopies) {
        EXPECT_FALSE(readRegister(form, index) & zMask) << index;
        EXPECT_FALSE(readRegister(form, index) & cMask) << index;
    }
    EXPECT_EQ(readRegister(form, 259), 0xFA);

    ZFlagChange(form, 2); // neither zero nor non-zero: nothing changes
    CFlagChange(form, -1);
    EXPECT_EQ(readRegister(form, 3), 0x18);
}

// The device's names of a handful of lines, their bits, and what this
// simulator does differently, told in a note.
TEST_F(RegisterFile, LinesCarryTheDevicesNamesAndTheSimulatorsNotes) {
    const struct {
        int address;
        std::string tipStart; // name, copy and bits
        std::string inNote;
    } cases[] = {
        {0x000, "INDF", "IRP is not used"},
        {0x001, "TMR0", "no timer"},
        {0x002, "PCL", "Not maintained"},
        {0x003, "STATUS\nBits 7 to 0: IRP RP1 RP0 TO PD Z DC C", "all four copies"},
        {0x083, "STATUS (bank 1 copy)\nBits 7 to 0: IRP RP1 RP0 TO PD Z DC C",
         "Kept alike with 0003 for Z and C only"},
        {0x004, "FSR", "bank offset of RP1 RP0"},
        {0x005, "PORTA\nBits 7 to 0: RA7 RA6 RA5 RA4 RA3 RA2 RA1 RA0", "RA lamps"},
        {0x006, "PORTB\nBits 7 to 0: RB7", "RB lamps"},
        {0x106, "PORTB (bank 2 copy)", "follow 0006 only"},
        {0x00A, "PCLATH", "Not used"},
        {0x18B, "INTCON (bank 3 copy)\nBits 7 to 0: GIE PEIE T0IE INTE RBIE T0IF INTF RBIF",
         "naming 0B in any bank use 000B"},
        {0x081, "OPTION\nBits 7 to 0: RBPU INTEDG T0CS T0SE PSA PS2 PS1 PS0", "bank 3"},
        {0x085, "TRISA", "input"},
        {0x086, "TRISB", "input"},
        {0x020, "general purpose", ""},
        {0x1FF, "general purpose", ""},
        {0x200, "beyond bank 3", "FSR 80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        const std::string tip = registerTip(c.address);
        EXPECT_EQ(tip.substr(0, c.tipStart.size()), c.tipStart);
        EXPECT_NE(registerName(c.address).note.find(c.inNote), std::string::npos) << tip;
    }

    // A line that says it is reached through FSR is one no instruction
    // operand 00 to 7F reaches in any bank, and the other way round.
    std::set<int> direct;
    for (int bank = 0; bank < 4; ++bank) {
        setStatus(bank * 0x20);
        for (int f = 0; f < 0x80; ++f)
            direct.insert(HexDecConv(form, "0000STA" + hex2(f)));
    }
    for (int address = 0; address < registerCount; ++address)
        EXPECT_EQ(registerName(address).note.find("this line is reached through FSR") !=
                      std::string::npos,
                  direct.count(address) == 0)
            << address;
}

} // namespace
} // namespace mirel::state
