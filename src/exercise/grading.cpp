#include "grading.h"

#include "check_results.h"
#include "exercise_run.h"
#include "files/file_bytes.h"
#include "files/open_program.h"
#include "state/main_form.h"
#include "state/platform.h"

#include <algorithm>

namespace mirel::exercise {

namespace {

// Why the loaded program is no program to grade; empty when it is one. A
// line without an instruction after the last one is a harmless end (Enter
// leaves an address alone there); before it, the program would stop on it.
std::string notAProgram(const state::MainForm& form) {
    int last = -1;
    for (int i = form.Code.count() - 1; i >= 0 && last < 0; --i)
        if (isInstructionLine(form, i))
            last = i;
    if (last < 0)
        return "no line holds an instruction";
    for (int i = 0; i < last; ++i)
        if (!isInstructionLine(form, i)) {
            std::string text = form.Code.line(i).substr(0, 40);
            std::replace(text.begin(), text.end(), '\t', ' ');
            return "line " + std::to_string(i + 1) + " holds no instruction" +
                   (text.empty() ? std::string(" (it is empty)") : " ('" + text + "')");
        }
    return {};
}

// Open reads a program up to its first empty line. Lines after it are lost
// to a text file; a Mirel file keeps its notes there, so only lines that
// look like its program lines count.
std::string linesLeftOut(files::ProgramKind kind, std::string_view bytes) {
    if (kind == files::ProgramKind::Hex)
        return {};
    int number = 0, empty = 0, lost = 0;
    while (!bytes.empty()) {
        const auto end = std::min(bytes.find_first_of("\r\n"), bytes.size());
        const std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(std::min(bytes.size(), end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1)));
        ++number;
        if (empty == 0) {
            if (line.empty())
                empty = number;
            continue;
        }
        const bool programLine = kind == files::ProgramKind::Text
                                     ? line.find_first_not_of(" \t") != std::string_view::npos
                                     : line.size() > 4 && line[4] == '\t' &&
                                           line.substr(0, 4).find_first_not_of(
                                               "0123456789ABCDEFabcdef") == std::string_view::npos;
        lost += programLine ? 1 : 0;
    }
    if (lost == 0)
        return {};
    return "line " + std::to_string(empty) +
           " is empty, and Open reads no further: " + std::to_string(lost) +
           (lost == 1 ? " line" : " lines") + " after it would be lost";
}

Grade refused(const Exercise& exercise, std::string reason) {
    Grade grade;
    grade.reason = std::move(reason);
    for (const Check& check : exercise.checks)
        grade.results.push_back({&check, false, expectedText(check), "not a program"});
    return grade;
}

} // namespace

int Grade::passedCount() const {
    return static_cast<int>(std::count_if(results.begin(), results.end(),
                                          [](const CheckResult& r) { return r.passed; }));
}

std::string Grade::firstFailure() const {
    for (const CheckResult& result : results)
        if (!result.passed)
            return result.check->message;
    return {};
}

const char* verdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::Passed:
        return "passed";
    case Verdict::Failed:
        return "failed";
    case Verdict::NotAProgram:
        break;
    }
    return "not a program";
}

Grade gradeLines(const Exercise& exercise, std::vector<std::string> lines) {
    state::MainForm form;
    state::NoWindowPlacement placement;
    form.chosenModel = exercise.model;
    files::loadProgram(form, placement, std::move(lines));
    if (std::string reason = notAProgram(form); !reason.empty())
        return refused(exercise, std::move(reason));
    const RunOutcome run = runExercise(exercise, form);
    Grade grade;
    grade.steps = run.steps;
    grade.instructions = run.instructions;
    grade.cycles = run.cycles;
    grade.messages = run.messages;
    grade.firstMessage = run.firstMessage;
    grade.stoppedByMessages = run.stoppedByMessages;
    grade.haltedLine = run.haltedLine;
    for (const Check& check : exercise.checks)
        grade.results.push_back(checkResult(check, form, run));
    grade.verdict = grade.passedCount() == static_cast<int>(grade.results.size()) ? Verdict::Passed
                                                                                  : Verdict::Failed;
    return grade;
}

Grade gradeFile(const Exercise& exercise, const std::string& path, files::ProgramKind kind) {
    std::string error;
    const auto bytes = files::readFileBytes(path, error);
    if (!bytes)
        return refused(exercise, error);
    auto lines = files::decodeProgram(kind, *bytes, path, error);
    if (!lines)
        return refused(exercise, error);
    if (std::string lost = linesLeftOut(kind, *bytes); !lost.empty())
        return refused(exercise, std::move(lost));
    return gradeLines(exercise, std::move(*lines));
}

} // namespace mirel::exercise
