#include "open_program.h"

#include "file_bytes.h"
#include "hex_program_reader.h"
#include "sim/part/program_image.h"
#include "state/program_counter.h"
#include "state/program_text.h"
#include "state/register_file.h"
#include "state/window_load.h"
#include "text_program_reader.h"

#include <algorithm>

namespace mirel::files {

namespace {

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The first line of the file, up to its line end.
std::string_view firstLine(std::string_view bytes) {
    return bytes.substr(0, bytes.find_first_of("\r\n"));
}

// Whether the file looks like its kind at all. The file-type entry picked in
// the dialog decides how a file is read; a file of another kind would be read
// into a program that has nothing to do with it. A file with an empty first
// line holds no program of any kind and passes.
bool looksLikeKind(ProgramKind kind, std::string_view bytes) {
    std::string_view line = firstLine(bytes);
    switch (kind) {
    case ProgramKind::Hex:
        // The hex reader skips blanks before a record.
        line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
        return line.empty() || line.front() == ':';
    case ProgramKind::Mirel:
        return line.empty() ||
               (line.size() >= 5 && std::all_of(line.begin(), line.begin() + 4, isHexDigit) &&
                line[4] == '\t');
    case ProgramKind::Text:
        break;
    }
    return true;
}

} // namespace

std::optional<std::vector<std::string>> decodeProgram(ProgramKind kind, const std::string& bytes,
                                                      const std::string& path, std::string& error) {
    if (!looksLikeKind(kind, bytes)) {
        error = path +
                (kind == ProgramKind::Hex ? " is not a hex file." : " is not a Mirel source file.");
        return std::nullopt;
    }
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

std::optional<ProgramKind> lookalikeKind(const std::string& path) {
    const std::string upper = state::upperCase(path);
    if (upper.ends_with(".MRL"))
        return ProgramKind::Mirel;
    if (upper.ends_with(".HEX"))
        return ProgramKind::Hex;
    std::string error;
    const auto bytes = readFileBytes(path, error);
    if (!bytes)
        return std::nullopt;
    const std::string_view line = firstLine(*bytes);
    // A Mirel line: address, tab, word, tab. A text line's mnemonic is no word.
    if (line.size() > 9 && std::all_of(line.begin(), line.begin() + 4, isHexDigit) &&
        line[4] == '\t' && std::all_of(line.begin() + 5, line.begin() + 9, isHexDigit) &&
        line[9] == '\t')
        return ProgramKind::Mirel;
    if (!line.empty() && looksLikeKind(ProgramKind::Hex, *bytes))
        return ProgramKind::Hex;
    return std::nullopt;
}

void loadProgram(state::MainForm& form, state::WindowPlacement& placement,
                 std::vector<std::string> lines) {
    state::Form_Load(form, placement);
    // First, so that whoever hears of the new program finds the new rules.
    state::takeChosenModel(form);
    form.Reg.clear();
    form.Code.assign(std::move(lines));
    // A part starts at address 0000, which need not be the first line.
    const int first = form.model == parts::Model::Teaching ? 0 : sim::part::powerOnLine(form.Code);
    if (!form.Code.empty() && first >= 0)
        form.Code.select(first);
    else
        state::Code_Click(form); // nothing to select: the entry line empties
    state::fillRegisterFile(form);
    state::untickInputs(form);
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
