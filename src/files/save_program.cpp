#include "save_program.h"

#include "asm/export_walk.h"
#include "asm/hex_records.h"
#include "safe_save.h"
#include "state/hex_text.h"
#include "state/program_text.h"
#include "text_program_reader.h"

namespace mirel::files {

namespace {

constexpr int programWordsInHex = 0x2000;

// Whether Open would read the text file back as the program: a line break
// or a form feed inside a line would make two lines of it, an empty line
// would end the program early.
std::optional<std::size_t> firstLineReadBackOtherwise(const std::vector<std::string>& lines,
                                                      const std::string& text) {
    const std::vector<std::string> back = readTextProgram(text);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (i >= back.size() || state::compactText(back[i]) != state::compactText(lines[i]))
            return i;
    return std::nullopt;
}

} // namespace

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
        if (const auto index = firstLineReadBackOtherwise(form.Code.lines(), text)) {
            const std::string& line = form.Code.line(static_cast<int>(*index));
            const std::string compact = state::compactText(line);
            const bool addressed =
                compact.size() >= 4 && compact.find_first_not_of("0123456789ABCDEF") >= 4;
            error = "Cannot save " + path + ": line " +
                    (addressed ? compact.substr(0, 4) : state::hex4(static_cast<int>(*index))) +
                    " would not read back as the same line.";
            return std::nullopt;
        }
        return text;
    }
    const assembler::ExportResult walk = assembler::AsmProgram(form);
    if (!walk.ok()) {
        error = walk.refusal;
        return std::nullopt;
    }
    if (kind == ProgramKind::Mirel) {
        // Every line ends with CR LF; a line break of its own would split it.
        const std::string& text = form.Text2.text();
        std::size_t ends = 0;
        for (std::size_t at = text.find("\r\n"); at != std::string::npos;
             at = text.find("\r\n", at + 2))
            ++ends;
        if (readMirelProgram(text).size() != ends) {
            error = "Cannot save " + path +
                    ": a line holds a line break of its own and would "
                    "not read back as the same line.";
            return std::nullopt;
        }
        return text;
    }
    // Program memory ends at word 1FFF: the reader leaves out words from
    // 2000 on (configuration and data), so a longer program would come back short.
    if (walk.lastAddress >= programWordsInHex) {
        error = "The program has more than 8192 words: save it as a Mirel source or text file.";
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
