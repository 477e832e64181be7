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

} // namespace mirel::files
