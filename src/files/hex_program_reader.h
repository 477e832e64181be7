#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mirel::files {

// The most records a hex file may hold.
inline constexpr std::size_t maxHexRecords = 5001;

// The line an end record (type ending in 1) adds to Code.
inline constexpr const char* endLine = "End";

// Program memory lines from a hex file: every data record's words,
// disassembled, numbered from the record's load address. Fields end at a line
// end or a comma, leading blanks skipped, up to the first empty field. A
// record whose type ends in 1 adds the end line; extended address records
// move the load address of later records and add nothing; other types add
// nothing. Words from word address 2000 on (configuration, ID and data
// memory) are no program lines and are skipped. Nothing else is checked: the
// checksum is not verified, an odd count leaves its last byte unread, short
// records give short word texts. Empty when the file holds more than
// maxHexRecords records.
// With `words`, each line's word is put there too (-1 for the end line or a
// word text that is no four hex digits).
std::optional<std::vector<std::string>> readHexProgram(const std::string& bytes,
                                                       std::vector<int>* words = nullptr);

} // namespace mirel::files
