#include "text_program_reader.h"

#include "file_bytes.h"
#include "state/program_text.h"

namespace mirel::files {

std::vector<std::string> readTextProgram(const std::string& bytes) {
    std::vector<std::string> program;
    for (const std::string& fileLine : linesUpToFirstEmpty(bytes)) {
        const std::string t = state::removeChar(fileLine, '\t');
        std::string line;
        line.append(state::mid(t, 1, 4)).append("\t");
        line.append(state::mid(t, 5, 3)).append("\t");
        line.append(state::mid(t, 8));
        program.push_back(std::move(line));
    }
    return program;
}

} // namespace mirel::files
