// Writes a hex file of 5001 full records (40,008 words, every instruction
// word in turn) for the Open timing.
#include "asm/hex_records.h"

#include <cstdint>
#include <fstream>
#include <iostream>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_big_hex OUT\n";
        return 2;
    }
    constexpr std::size_t records = 5001;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < records * mirel::assembler::hexRecordBytes / 2; ++i) {
        const auto word = static_cast<std::uint16_t>(i % 0x4000);
        bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    std::ofstream(argv[1], std::ios::binary) << mirel::assembler::hexRecords(bytes);
    return 0;
}
