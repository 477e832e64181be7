#include "save_program.h"

#include "asm/export_walk.h"
#include "asm/hex_records.h"
#include "safe_save.h"
#include "state/program_text.h"

namespace mirel::files {

std::string savedFileName(ProgramKind kind, const std::string& chosen) {
    if (kind == ProgramKind::Hex) {
        const std::string_view tail =
            std::string_view(chosen).substr(chosen.size() >= 4 ? chosen.size() - 4 : 0);
        return state::upperCase(tail) == ".HEX" ? chosen : chosen + ".hex";
    }
    // A dot that starts the file's name makes a hidden file, not an extension.
    const std::size_t nameStart = chosen.find_last_of('/') + 1;
    const std::size_t dot = chosen.find_last_of('.');
    if (dot != std::string::npos && dot > nameStart)
        return chosen;
    return chosen + (kind == ProgramKind::Text ? ".txt" : ".mrl");
}

std::optional<std::string> programFileText(state::MainForm& form, ProgramKind kind,
                                           const std::string& path, std::string& error) {
    if (kind == ProgramKind::Text) {
        std::string text;
        for (const std::string& line : form.Code.lines())
            text.append(line).append("\r\n");
        return text;
    }
    const assembler::ExportResult walk = assembler::AsmProgram(form);
    if (!walk.ok()) {
        error = walk.refusal;
        return std::nullopt;
    }
    if (kind == ProgramKind::Mirel)
        return form.Text2.text();
    // Record addresses have four digits; a longer program cannot be addressed.
    if (walk.words > assembler::maxHexWords) {
        error = "Cannot save " + path + ": a hex file holds at most " +
                std::to_string(assembler::maxHexWords) + " words.";
        return std::nullopt;
    }
    std::string text = form.Text1.text();
    if (!text.empty() && !text.ends_with("\r\n"))
        text += "\r\n";
    return text;
}

bool saveProgram(state::MainForm& form, ProgramKind kind, const std::string& path,
                 std::string& error) {
    const auto text = programFileText(form, kind, path, error);
    return text && writeFileSafely(path, *text, error);
}

} // namespace mirel::files
