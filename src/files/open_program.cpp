#include "open_program.h"

#include "file_bytes.h"
#include "state/program_counter.h"
#include "state/register_file.h"
#include "state/window_load.h"
#include "text_program_reader.h"

namespace mirel::files {

namespace {
std::vector<std::string> readProgram(ProgramKind kind, const std::string& bytes) {
    switch (kind) {
    case ProgramKind::Text:
        return readTextProgram(bytes);
    case ProgramKind::Hex:
    case ProgramKind::Mirel:
        break;
    }
    return {};
}
} // namespace

OpenResult openProgram(state::MainForm& form, state::WindowPlacement& placement, ProgramKind kind,
                       const std::string& path) {
    state::Form_Load(form, placement);
    form.Reg.clear();

    OpenResult result;
    // Read everything before touching Code, so that a failed read loses no program line.
    const auto bytes = readFileBytes(path, result.error);
    if (!bytes)
        return result;

    form.Code.assign(readProgram(kind, *bytes));
    if (!form.Code.empty())
        form.Code.select(0);
    else
        state::Code_Click(form); // nothing to select: the entry line empties

    state::fillRegisterFile(form);
    state::enableProgramButtons(form);
    result.opened = true;
    return result;
}

} // namespace mirel::files
