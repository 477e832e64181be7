#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mirel::edit {

using Lines = std::vector<std::string>;

// The line a JMP or JSR to `target` goes to, as a step finds it: the first
// line carrying that address, else the address as a line index; none when
// neither is a line.
std::optional<int> jumpTarget(const Lines& lines, int target);

// The program with a NOP line put before line `index` (0 to the last line).
// The NOP takes that line's address; every later line carrying an address
// moves up by one, and every JMP and JSR keeps going to the line it went to.
Lines withNopInserted(const Lines& lines, int index);

// Whether some JMP or JSR of `after` needs an address past 07FF, which the
// instruction cannot hold, where `before` needed none: an insertion that
// moved a target there would save as another instruction.
bool jumpsPastTheirRange(const Lines& before, const Lines& after);

// The program without line `index`. Later addresses move down by one; a jump
// to the deleted line goes to the line that followed it, as a label on it
// would, and one past the end stays past the end.
Lines withLineDeleted(const Lines& lines, int index);

} // namespace mirel::edit
