#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace mirel::assembler {

// Bytes per data record of a written hex file.
inline constexpr std::size_t hexRecordBytes = 16;
// Words a hex file can address: the load address has four digits.
inline constexpr std::size_t maxHexWords = 0x10000 / 2;

// Intel HEX data records of the bytes: 16 to a record from byte address 0,
// each with its count, address, type 00 and checksum. Every full record ends
// with CR LF; a final shorter one has no line end of its own. No end record.
std::string hexRecords(std::span<const std::uint8_t> bytes);

} // namespace mirel::assembler
