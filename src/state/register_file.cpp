#include "register_file.h"

#include "hex_text.h"
#include "parts/register_map.h"
#include "program_text.h"

#include <vector>

namespace mirel::state {

std::string registerLine(int index, int value) {
    std::string line;
    makeRegisterLine(index, value, line);
    return line;
}

std::string registerLineFromText(std::string_view address, std::string_view hexText,
                                 std::string_view bitText) {
    std::string line;
    line.reserve(18);
    line.append(address).append("\t").append(hexText).append("   ").append(bitText);
    return line;
}

void replaceRegisterLine(MainForm& form, int index, std::string line) {
    if (!form.Reg.validIndex(index))
        return;
    form.Reg.replaceAt(index, std::move(line));
}

int bankOffset(const MainForm& form) {
    switch (readRegister(form, STATUS) & bankMask) {
    case 0x20:
        return 128;
    case 0x40:
        return 256;
    case 0x60:
        return 384;
    default:
        return 0;
    }
}

int indirectTarget(const MainForm& form) {
    return readRegister(form, FSR) + bankOffset(form);
}

bool sharedRegisterDigits(std::string_view digits) {
    for (std::string_view shared : {"00", "02", "03", "04", "0A", "0B"})
        if (digits == shared)
            return true;
    return false;
}

int bankedIndex(const MainForm& form, int address, bool shared) {
    if (shared)
        return address;
    address += bankOffset(form);
    // OPTION seen from bank 3 is the one of bank 1.
    if (address == 385)
        address = 129;
    return address;
}

int HexDecConv(const MainForm& form, std::string_view CountCod) {
    const std::string_view digits = mid(CountCod, 8, 2);
    return bankedIndex(form, readHex(digits), sharedRegisterDigits(digits));
}

int HexDecConvH(std::string_view CountCod) {
    return readHex(mid(CountCod, 8, 2));
}

void fillRegisterFile(MainForm& form) {
    std::vector<std::string> lines;
    lines.reserve(registerCount);
    const parts::RegisterMap* part = parts::registerMap(form.model);
    for (int n = 0; n < registerCount; ++n) {
        if (part && n < parts::bankedCount)
            lines.push_back(registerLine(n, part->powerOn[static_cast<std::size_t>(n)]));
        else
            lines.push_back(hex4(n) + "\t00   00000000");
    }
    form.Reg.assign(std::move(lines));
}

void takeChosenModel(MainForm& form) {
    form.model = form.chosenModel;
}

} // namespace mirel::state
