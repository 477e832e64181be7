#pragma once

#include "exercise.h"
#include "files/program_kind.h"

#include <string>
#include <vector>

namespace mirel::exercise {

struct CheckResult {
    const Check* check = nullptr;
    bool passed = false;
    std::string expected; // in the check's own terms: "3C", "1", "at most 20"
    std::string actual;   // what the run gave, in the same terms
};

enum class Verdict { Passed, Failed, NotAProgram };

struct Grade {
    Verdict verdict = Verdict::NotAProgram;
    std::string reason;               // why the file is not a program
    std::vector<CheckResult> results; // every check of the exercise, in its order
    long long steps = 0;
    long long instructions = 0;
    long long cycles = 0;
    long long messages = 0;         // message boxes the run would have shown
    std::string firstMessage;       // the first of them
    bool stoppedByMessages = false; // the run ended at the message limit
    int haltedLine = -1;            // the self-jumping line the run ended waiting on

    int passedCount() const;
    // The message of the first check that failed; empty when none did.
    std::string firstFailure() const;
};

// A run stops at this many messages: past it the verdict cannot change, and
// a program that jumps past its end would show one on every step.
inline constexpr long long messageLimit = 1000;

// Runs program lines (as Open or the window's Code holds them) on a fresh
// machine under the exercise's model, and grades what it leaves.
Grade gradeLines(const Exercise& exercise, std::vector<std::string> lines);

// The same for a file read as `kind`; a file that cannot be read or is
// refused is not a program, its error the reason.
Grade gradeFile(const Exercise& exercise, const std::string& path, files::ProgramKind kind);

const char* verdictText(Verdict verdict); // "passed", "failed", "not a program"

} // namespace mirel::exercise
