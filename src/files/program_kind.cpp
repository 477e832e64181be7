#include "program_kind.h"

namespace mirel::files {

std::optional<ProgramKind> kindFromName(std::string_view name) {
    if (name == "hex")
        return ProgramKind::Hex;
    if (name == "text")
        return ProgramKind::Text;
    if (name == "mrl")
        return ProgramKind::Mirel;
    return std::nullopt;
}

} // namespace mirel::files
