#include "step_statistics.h"

#include "asm/line_text.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace mirel::timeline {

std::string mnemonicOfLine(const std::string& line) {
    const std::string instruction =
        assembler::instructionForMessage(line, assembler::startsWithAddress(line));
    std::string mnemonic;
    for (char c : instruction) {
        if (std::isalpha(static_cast<unsigned char>(c)) == 0)
            break;
        mnemonic += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return mnemonic;
}

StepStatistics countSteps(const StepTrace& trace,
                          const std::function<std::string(int line)>& mnemonicOf) {
    StepStatistics result;
    std::map<std::string, MnemonicCount> counts;
    for (long long p = trace.first(); p + 1 < trace.end(); ++p) {
        const long long cycles = trace.cycles(p + 1) - trace.cycles(p);
        ++result.steps;
        if (cycles == 0)
            continue; // a line without an instruction, or the part asleep
        const int line = trace.nextLine(p);
        const std::string mnemonic = line < 0 ? std::string() : mnemonicOf(line);
        MnemonicCount& count = counts[mnemonic];
        count.mnemonic = mnemonic;
        ++count.runs;
        count.cycles += cycles;
        ++result.instructions;
        result.cycles += cycles;
    }
    for (auto& [name, count] : counts)
        result.mnemonics.push_back(count);
    std::stable_sort(
        result.mnemonics.begin(), result.mnemonics.end(),
        [](const MnemonicCount& a, const MnemonicCount& b) { return a.cycles > b.cycles; });
    return result;
}

} // namespace mirel::timeline
