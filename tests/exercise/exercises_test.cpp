// The exercises a course starts with: each model solution passes, window and
// batch agree on it, and the checks catch the one-line mistakes that matter.
#include "exercise/exercise_reader.h"
#include "exercise/exercise_run.h"
#include "exercise/grading.h"
#include "files/open_program.h"
#include "state/program_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace mirel::exercise {
namespace {

namespace fs = std::filesystem;

struct Pair {
    std::string name;
    Exercise exercise;
    std::string solution; // its path
};

std::vector<Pair> exercises() {
    std::vector<Pair> pairs;
    for (const auto& entry : fs::directory_iterator(MIRELSIM_EXERCISES_DIR)) {
        if (entry.path().extension() != exerciseExtension)
            continue;
        std::string error;
        auto exercise = readExerciseFile(entry.path().string(), error);
        EXPECT_TRUE(exercise) << error;
        if (!exercise)
            continue;
        fs::path solution = entry.path();
        solution.replace_filename(entry.path().stem().string() + "-solution.mrl");
        pairs.push_back({entry.path().stem().string(), *exercise, solution.string()});
    }
    std::sort(pairs.begin(), pairs.end(),
              [](const Pair& a, const Pair& b) { return a.name < b.name; });
    return pairs;
}

TEST(Exercises, EachSolutionPassesAndTheWindowAgreesWithTheBatch) {
    const auto pairs = exercises();
    ASSERT_EQ(pairs.size(), 6u);
    for (const Pair& pair : pairs) {
        SCOPED_TRACE(pair.name);
        const Grade batch = gradeFile(pair.exercise, pair.solution, files::ProgramKind::Mirel);
        EXPECT_EQ(batch.verdict, Verdict::Passed) << batch.reason << batch.firstFailure();
        // The window grades the lines Open put into Code, whatever model it runs.
        state::MainForm form;
        state::NoWindowPlacement placement;
        ASSERT_TRUE(
            files::openProgram(form, placement, files::ProgramKind::Mirel, pair.solution).opened);
        const Grade window = gradeLines(pair.exercise, form.Code.lines());
        ASSERT_EQ(window.results.size(), batch.results.size());
        EXPECT_EQ(window.verdict, batch.verdict);
        for (std::size_t i = 0; i < batch.results.size(); ++i)
            EXPECT_EQ(window.results[i].actual, batch.results[i].actual);
    }
}

// Every change of one line a learner might make: another mnemonic of its
// kind, an operand or bit one up or down, the W mark put on or taken off.
std::vector<std::string> oneLineChanges(const std::string& line) {
    static const std::vector<std::string> byteOps = {"SUB", "DEC", "ORA", "AND", "XOR", "ADD",
                                                     "LDA", "CPL", "INC", "DEZ", "RRA", "RLA",
                                                     "SPA", "INZ", "CLR", "STA"};
    static const std::vector<std::string> bitOps = {"RES", "SET", "JBR", "JBS"};
    const std::string address = line.substr(0, 4);
    const std::string mnemonic = line.size() >= 8 ? line.substr(5, 3) : "";
    const std::string operand = line.size() > 9 ? state::compactText(line.substr(9)) : "";
    const auto compose = [&](const std::string& m, const std::string& o) {
        return address + '\t' + m + '\t' + o;
    };
    const auto hex = [](int value, int digits) {
        char text[8];
        std::snprintf(text, sizeof text, "%0*X", digits, value);
        return std::string(text);
    };
    std::vector<std::string> changes;
    const bool bitForm = operand.size() == 4 && operand[2] == ',';
    for (const auto* group : {&byteOps, &bitOps})
        if (std::find(group->begin(), group->end(), mnemonic) != group->end())
            for (const std::string& other : *group)
                if (other != mnemonic)
                    changes.push_back(compose(other, operand));
    if (operand.size() >= 2 && std::isxdigit(static_cast<unsigned char>(operand[0]))) {
        const bool target = operand.size() == 4 && !bitForm;
        const int digits = target ? 4 : 2;
        const int value =
            std::stoi(operand.substr(0, static_cast<std::size_t>(digits)), nullptr, 16);
        const std::string rest = operand.substr(static_cast<std::size_t>(digits));
        for (int delta : {1, -1})
            changes.push_back(
                compose(mnemonic, hex((value + delta) & (target ? 0x7FF : 0xFF), digits) + rest));
        if (bitForm)
            for (int delta : {1, 7})
                changes.push_back(
                    compose(mnemonic,
                            operand.substr(0, 3) + std::to_string((operand[3] - '0' + delta) % 8)));
        else if (!target && rest.empty())
            changes.push_back(compose(mnemonic, operand + " W"));
        else if (rest == "W")
            changes.push_back(compose(mnemonic, operand.substr(0, 2)));
    }
    changes.push_back(compose("NOP", ""));
    return changes;
}

// What the checks look at, as a run leaves it: a register's value, a bit, W.
std::vector<int> checked(const Exercise& exercise, const std::vector<std::string>& lines) {
    state::MainForm form;
    state::NoWindowPlacement placement;
    form.chosenModel = exercise.model;
    files::loadProgram(form, placement, lines);
    runExercise(exercise, form);
    std::vector<int> seen;
    const int w = std::stoi("0" + form.W.text(), nullptr, 16);
    for (const Check& check : exercise.checks) {
        const int value = form.registers.value(check.address);
        switch (check.kind) {
        case Check::Kind::Register:
            seen.push_back(value);
            break;
        case Check::Kind::RegisterBit:
            seen.push_back((value >> check.bit) & 1);
            break;
        case Check::Kind::W:
            seen.push_back(w);
            break;
        case Check::Kind::WBit:
            seen.push_back((w >> check.bit) & 1);
            break;
        default:
            break;
        }
    }
    return seen;
}

TEST(Exercises, ChecksCatchTheOneLineChangesThatMatter) {
    for (const Pair& pair : exercises()) {
        SCOPED_TRACE(pair.name);
        state::MainForm form;
        state::NoWindowPlacement placement;
        ASSERT_TRUE(
            files::openProgram(form, placement, files::ProgramKind::Mirel, pair.solution).opened);
        const std::vector<std::string> solution = form.Code.lines();
        const std::vector<int> expected = checked(pair.exercise, solution);
        int mattering = 0, caught = 0;
        std::string escaped;
        for (std::size_t i = 0; i < solution.size(); ++i)
            for (const std::string& change : oneLineChanges(solution[i])) {
                std::vector<std::string> lines = solution;
                lines[i] = change;
                if (checked(pair.exercise, lines) == expected)
                    continue;
                ++mattering;
                if (gradeLines(pair.exercise, lines).verdict != Verdict::Passed)
                    ++caught;
                else
                    escaped += "\n  " + change;
            }
        EXPECT_GE(mattering, 10);
        EXPECT_GE(caught * 10, mattering * 9)
            << caught << " of " << mattering << ", passing:" << escaped;
    }
}

} // namespace
} // namespace mirel::exercise
