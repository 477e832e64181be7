#include "text_program_reader.h"

#include "file_bytes.h"
#include "state/program_text.h"

namespace mirel::files {

std::vector<std::string> splitProgramLines(const std::string& bytes, std::size_t mnemonicAt) {
    std::vector<std::string> program;
    for (const std::string& fileLine : linesUpToFirstEmpty(bytes)) {
        const std::string t = state::removeChar(fileLine, '\t');
        std::string line;
        line.append(state::mid(t, 1, 4)).append("\t");
        line.append(state::mid(t, mnemonicAt, 3)).append("\t");
        line.append(state::mid(t, mnemonicAt + 3));
        program.push_back(std::move(line));
    }
    return program;
}

std::vector<std::string> readTextProgram(const std::string& bytes) {
    return splitProgramLines(bytes, 5);
}

std::vector<std::string> readMirelProgram(const std::string& bytes) {
    return splitProgramLines(bytes, 9);
}

std::string exampleNote(std::string_view bytes) {
    bool inNotes = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        // CR LF, a bare LF and a lone CR each end one line.
        pos = end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1);
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos) {
            inNotes |= line.empty();
            continue;
        }
        if (inNotes) {
            line = line.substr(first);
            return std::string(line.substr(0, line.find_last_not_of(" \t") + 1));
        }
    }
    return {};
}

} // namespace mirel::files
