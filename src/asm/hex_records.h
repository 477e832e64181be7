#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mirel::assembler {

// Bytes per data record of a written hex file.
inline constexpr std::size_t hexRecordBytes = 16;

// Intel HEX data records of the bytes: 16 to a record from byte address 0,
// each with its count, address, type 00 and checksum. Every full record ends
// with CR LF; a final shorter one has no line end of its own. No end record.
std::string hexRecords(std::span<const std::uint8_t> bytes);

// A word and the program address it belongs at.
struct PlacedWord {
    int address;
    std::uint16_t word;
};

// Data records that put each word at its own address, low byte first: runs of
// consecutive addresses in records of up to 16 bytes, nothing in the gaps.
// Of two words for one address the first counts. Every record ends with CR LF.
std::string placedHexRecords(std::vector<PlacedWord> words);

} // namespace mirel::assembler
