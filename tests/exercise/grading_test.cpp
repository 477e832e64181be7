// Verdicts as a class's programs earn them: passed, each way of failing, and
// each way of being no program at all.
#include "exercise/exercise_reader.h"
#include "exercise/grading.h"

#include <gtest/gtest.h>

namespace mirel::exercise {
namespace {

Exercise exerciseOf(const std::string& text) {
    std::string error;
    auto exercise = readExercise(text, error);
    EXPECT_TRUE(exercise) << error;
    return exercise ? *exercise : Exercise{};
}

// "0000 LDA 17 H" as Open puts a text file's line into Code.
std::vector<std::string> program(std::initializer_list<const char*> lines) {
    std::vector<std::string> code;
    for (std::string line : lines) {
        if (line.size() > 5)
            line = line.substr(0, 4) + '\t' + line.substr(5, 3) + '\t' +
                   (line.size() > 9 ? line.substr(9) : "");
        code.push_back(line);
    }
    return code;
}

const std::string addition = "title: Add\n"
                             "steps: 100\n"
                             "until: halted\n"
                             "check: 22 = 3C | The sum belongs in 22.\n"
                             "check: halted | Wait at the end.\n"
                             "hidden check: W = 3C | W keeps the sum.\n"
                             "check: instructions <= 7 | Seven are enough.\n";

TEST(Grading, VerdictsOfAClass) {
    const struct {
        const char* name;
        std::vector<std::string> lines;
        std::string exercise;
        Verdict verdict;
        int passed;      // of the checks, the implied "no messages" last
        std::string why; // the first failure's message, or why it is no program
    } cases[] = {
        {"model answer",
         program({"0000 LDA 17 H", "0001 ADD 25 H", "0002 STA 22", "0003 JMP 0003"}), addition,
         Verdict::Passed, 5, ""},
        {"an address alone after the end is harmless",
         program({"0000 LDA 3C H", "0001 STA 22", "0002 JMP 0002", "0003"}), addition,
         Verdict::Passed, 5, ""},
        {"wrong value, hidden check failing too",
         program({"0000 LDA 17 H", "0001 SUB 25 H", "0002 STA 22", "0003 JMP 0003"}), addition,
         Verdict::Failed, 3, "The sum belongs in 22."},
        {"never waits: runs to the step limit",
         program({"0000 LDA 3C H", "0001 STA 22", "0002 NOP", "0003 JMP 0000"}), addition,
         Verdict::Failed, 3, "Wait at the end."},
        {"too many instructions",
         program({"0000 CLR 22", "0001 LDA 17 H", "0002 ADD 25 H", "0003 NOP", "0004 NOP",
                  "0005 NOP", "0006 NOP", "0007 STA 22", "0008 JMP 0008"}),
         addition, Verdict::Failed, 4, "Seven are enough."},
        {"calls itself for ever: messages counted, the run goes on",
         program({"0000 LDA 3C H", "0001 STA 22", "0002 JSR 0002"}), addition, Verdict::Failed, 2,
         "Wait at the end."},
        {"messages allowed: no implied check",
         program({"0000 LDA 3C H", "0001 STA 22", "0002 JSR 0002"}),
         "title: T\nsteps: 50\nmessages: allowed\ncheck: 22 = 3C | m\n", Verdict::Passed, 1, ""},
        {"the implied check fails alone",
         program({"0000 LDA 3C H", "0001 STA 22", "0002 JSR 0002"}),
         "title: T\nsteps: 50\ncheck: 22 = 3C | m\n", Verdict::Failed, 1,
         "The run showed a message box; a program that works shows none."},
        {"empty file", {}, addition, Verdict::NotAProgram, 0, "no line holds an instruction"},
        {"a source in other mnemonics",
         {"MOVLW 0x17", "ADDLW 0x25", "MOVWF 0x22", "GOTO $"},
         addition,
         Verdict::NotAProgram,
         0,
         "no line holds an instruction"},
        {"a blank line after the first",
         program({"0000 LDA 3C H", "", "0002 STA 22", "0003 JMP 0003"}), addition,
         Verdict::NotAProgram, 0, "line 2 holds no instruction (it is empty)"},
        {"a mistyped mnemonic", program({"0000 LDA 3C H", "0001 STR 22", "0002 JMP 0002"}),
         addition, Verdict::NotAProgram, 0, "line 2 holds no instruction ('0001 STR 22')"},
        {"inputs before the change",
         program({"0000 SET 03,5", "0001 LDA FF H", "0002 STA 05", "0003 RES 03,5", "0004 LDA 05 W",
                  "0005 STA 06", "0006 JMP 0004"}),
         "title: T\ninputs: A 01\ninputs at 30: A 02\nsteps: 29\ncheck: PORTB = 01 | m\n",
         Verdict::Passed, 2, ""},
        {"inputs after the change",
         program({"0000 SET 03,5", "0001 LDA FF H", "0002 STA 05", "0003 RES 03,5", "0004 LDA 05 W",
                  "0005 STA 06", "0006 JMP 0004"}),
         "title: T\ninputs: A 01\ninputs at 30: A 02\nsteps: 40\ncheck: PORTB = 02 | m\n",
         Verdict::Passed, 2, ""},
        {"bits and inequalities", program({"0000 LDA 81 H", "0001 STA 20", "0002 JMP 0002"}),
         "title: T\nsteps: 10\ncheck: 20.7 = 1 | a\ncheck: 20.1 = 1 | b\ncheck: W != 81 | c\n"
         "check: W.0 = 1 | d\ncheck: halted at 0002 | e\ncheck: stack empty | f\n",
         Verdict::Failed, 5, "b"},
        {"under a part, by the part's names",
         program({"0000 SET 03,5", "0001 CLR 06", "0002 RES 03,5", "0003 LDA 2A H", "0004 STA 06",
                  "0005 JMP 0005"}),
         "title: T\nmodel: 16F84A\nsteps: 100\nuntil: halted\ncheck: TRISB = 00 | a\n"
         "check: PORTB = 2A | b\ncheck: STATUS.5 = 0 | c\ncheck: cycles <= 6 | d\n",
         Verdict::Passed, 5, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Exercise exercise = exerciseOf(c.exercise);
        const Grade grade = gradeLines(exercise, c.lines);
        EXPECT_EQ(verdictText(grade.verdict), std::string(verdictText(c.verdict)));
        EXPECT_EQ(grade.passedCount(), c.passed);
        EXPECT_EQ(grade.results.size(), exercise.checks.size());
        EXPECT_EQ(grade.verdict == Verdict::NotAProgram ? grade.reason : grade.firstFailure(),
                  c.why);
    }
}

TEST(Grading, CountsWhatTheRunDid) {
    const Exercise exercise = exerciseOf(addition);
    const Grade waits = gradeLines(
        exercise, program({"0000 LDA 17 H", "0001 ADD 25 H", "0002 STA 22", "0003 JMP 0003"}));
    // Until halted: the run ends before the jump that waits.
    EXPECT_EQ(waits.steps, 3);
    EXPECT_EQ(waits.instructions, 3);
    EXPECT_EQ(waits.cycles, 3);
    EXPECT_EQ(waits.haltedLine, 3);
    EXPECT_EQ(waits.results[1].actual, "waits at 0003");

    // A program that calls itself shows a message on most steps; the run
    // counts them all and ends at the step limit.
    const Grade calls = gradeLines(exercise, program({"0000 JSR 0000"}));
    EXPECT_EQ(calls.steps, 100);
    EXPECT_GT(calls.messages, 90);
    EXPECT_FALSE(calls.stoppedByMessages);
    EXPECT_TRUE(calls.results.back().actual.starts_with(std::to_string(calls.messages) +
                                                        " messages, the first: "));

    // A jump past the end would show one on every step: the run stops at the limit.
    const Exercise long_run = exerciseOf("title: T\nsteps: 100000000\ncheck: 22 = 3C | m\n");
    const Grade past = gradeLines(long_run, program({"0000 LDA 3C H", "0001 JMP 0009"}));
    EXPECT_TRUE(past.stoppedByMessages);
    EXPECT_EQ(past.messages, messageLimit);

    // A line without an instruction holds the machine: the steps left are counted, not run.
    const Grade stuck =
        gradeLines(long_run, program({"0000 LDA 3C H", "0001 STA 22", "0002 SET 06,0", "0003"}));
    EXPECT_EQ(stuck.steps, 100000000);
    EXPECT_EQ(stuck.instructions, 3);
    EXPECT_EQ(stuck.verdict, Verdict::Passed);
}

TEST(Grading, AFileThatCannotBeReadIsNoProgram) {
    const Exercise exercise = exerciseOf(addition);
    const Grade grade = gradeFile(exercise, "/nonexistent/anna.txt", files::ProgramKind::Text);
    EXPECT_EQ(grade.verdict, Verdict::NotAProgram);
    EXPECT_NE(grade.reason.find("/nonexistent/anna.txt"), std::string::npos);
    EXPECT_EQ(grade.passedCount(), 0);
    EXPECT_EQ(grade.results.size(), exercise.checks.size());
}

} // namespace
} // namespace mirel::exercise
