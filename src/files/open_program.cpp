#include "open_program.h"

#include "file_bytes.h"
#include "hex_program_reader.h"
#include "state/program_counter.h"
#include "state/register_file.h"
#include "state/window_load.h"
#include "text_program_reader.h"

namespace mirel::files {

std::optional<std::vector<std::string>> decodeProgram(ProgramKind kind, const std::string& bytes,
                                                      const std::string& path, std::string& error) {
    switch (kind) {
    case ProgramKind::Hex:
        if (auto program = readHexProgram(bytes))
            return program;
        error = path + " has more than " + std::to_string(maxHexRecords) + " records.";
        return std::nullopt;
    case ProgramKind::Text:
        return readTextProgram(bytes);
    case ProgramKind::Mirel:
        return readMirelProgram(bytes);
    }
    return std::vector<std::string>{};
}

void loadProgram(state::MainForm& form, state::WindowPlacement& placement,
                 std::vector<std::string> lines) {
    state::Form_Load(form, placement);
    form.Reg.clear();
    form.Code.assign(std::move(lines));
    if (!form.Code.empty())
        form.Code.select(0);
    else
        state::Code_Click(form); // nothing to select: the entry line empties
    state::fillRegisterFile(form);
    state::enableProgramButtons(form);
}

OpenResult openProgram(state::MainForm& form, state::WindowPlacement& placement, ProgramKind kind,
                       const std::string& path) {
    OpenResult result;
    // Read and decode everything before touching the machine, so that a file
    // that fails changes nothing.
    const auto bytes = readFileBytes(path, result.error);
    if (!bytes)
        return result;
    auto lines = decodeProgram(kind, *bytes, path, result.error);
    if (!lines)
        return result;
    loadProgram(form, placement, std::move(*lines));
    result.opened = true;
    return result;
}

} // namespace mirel::files
