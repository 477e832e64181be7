#pragma once

#include "main_form.h"

#include <string>
#include <string_view>

namespace mirel::state {

inline constexpr int registerCount = 513; // indices 0 to 512
inline constexpr int INDF = 0;
inline constexpr int STATUS = 3;
inline constexpr int FSR = 4;
inline constexpr int PORTA = 5;
inline constexpr int PORTB = 6;
inline constexpr int TRISA = 133;
inline constexpr int TRISB = 134;
// STATUS lives once per bank; the flag operations keep all four copies.
inline constexpr int statusCopies[] = {3, 131, 259, 387};

inline constexpr int zMask = 0x04;
inline constexpr int cMask = 0x01;
inline constexpr int bankMask = 0x60;

// "000C", tab, "A5", three blanks, "10100101".
std::string registerLine(int index, int value);
// A register line with the value's hex and binary columns given as text.
std::string registerLineFromText(std::string_view address, std::string_view hexText,
                                 std::string_view bitText);

// Reading a register takes characters 6 and 7 of its line as hex. Indices
// without a line (beyond 512) read 0.
inline int readRegister(const MainForm& form, int index) {
    return form.registers.value(index);
}
// Rebuilds the whole line. Indices without a line ignore the write.
inline void writeRegister(MainForm& form, int index, int value) {
    form.registers.write(index, value);
}
// Puts a prepared line in place; ignored beyond the register file.
void replaceRegisterLine(MainForm& form, int index, std::string line);

// 0, 128, 256 or 384 from the bank bits of STATUS (line 3 only).
int bankOffset(const MainForm& form);
// The register that INDF stands for: FSR plus the bank offset.
int indirectTarget(const MainForm& form);

// Whether the two operand digits name one of the registers every bank shares
// (INDF, PCL, STATUS, FSR, PCLATH, INTCON), written exactly as "00", "02", ...
bool sharedRegisterDigits(std::string_view digits);
// The Reg index of register `address`: shared registers keep their address,
// the others get the bank offset.
int bankedIndex(const MainForm& form, int address, bool shared);

// The Reg index of the file-register operand (characters 8 and 9 of the
// compact instruction text), bank applied; shared registers keep their address.
int HexDecConv(const MainForm& form, std::string_view CountCod);
// The operand read as a plain number, no bank applied.
int HexDecConvH(std::string_view CountCod);

// The 513 lines of a cleared register file; with a part's rules, its
// registers hold their power-on values.
void fillRegisterFile(MainForm& form);

// New and Open switch the machine to the rules chosen for it.
void takeChosenModel(MainForm& form);

} // namespace mirel::state
