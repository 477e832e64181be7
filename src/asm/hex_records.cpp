#include "hex_records.h"

#include "state/hex_text.h"

#include <algorithm>

namespace mirel::assembler {

std::string hexRecords(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() / hexRecordBytes * 45 + 45);
    for (std::size_t start = 0; start < bytes.size(); start += hexRecordBytes) {
        const auto record = bytes.subspan(start, std::min(hexRecordBytes, bytes.size() - start));
        const std::size_t address = start & 0xFFFF; // longer programs are refused before this
        unsigned sum = static_cast<unsigned>(record.size() + (address >> 8) + (address & 0xFF));
        text += ':';
        text += state::hex2(static_cast<long long>(record.size()));
        text += state::hex4(static_cast<long long>(address));
        text += "00";
        for (std::uint8_t byte : record) {
            text += state::hex2(byte);
            sum += byte;
        }
        text += state::hex2((0x100 - (sum & 0xFF)) & 0xFF);
        if (record.size() == hexRecordBytes)
            text += "\r\n";
    }
    return text;
}

} // namespace mirel::assembler
