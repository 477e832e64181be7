#include "batch_check.h"

#include "exercise/exercise_reader.h"
#include "files/safe_save.h"
#include "grade_report.h"

#include <ostream>

namespace mirel::batch {

namespace {

// "NAME, verdict, checks passed of all, messages, why": tab-separated for
// scripts, in words for the teacher.
void printLine(const GradedFile& file, std::ostream& out) {
    const exercise::Grade& g = file.grade;
    out << file.name << '\t' << exercise::verdictText(g.verdict) << "\tchecks " << g.passedCount()
        << '/' << g.results.size() << "\tmessages " << g.messages;
    const std::string why =
        g.verdict == exercise::Verdict::NotAProgram ? g.reason : g.firstFailure();
    if (!why.empty())
        out << '\t' << why;
    out << '\n';
}

} // namespace

int checkBatch(const BatchOptions& options, std::ostream& out, std::ostream& err) {
    std::string error;
    const auto exercise = exercise::readExerciseFile(options.exercise, error);
    if (!exercise) {
        err << "mirelsim-batch: " << error << '\n';
        return 2;
    }
    std::optional<ReportFormat> format;
    if (!options.report.empty()) {
        format = reportFormatOf(options.report);
        if (!format) {
            err << "mirelsim-batch: --report needs a name ending in .csv, .json or .xml, not '"
                << options.report << "'\n";
            return 2;
        }
    }
    std::vector<GradedFile> graded;
    graded.reserve(options.files.size());
    bool allPassed = true;
    for (const std::string& name : options.files) {
        const auto kind = options.kindGiven ? options.kind : kindOfFile(name);
        graded.push_back({name, exercise::gradeFile(*exercise, name, kind)});
        printLine(graded.back(), out);
        allPassed = allPassed && graded.back().grade.verdict == exercise::Verdict::Passed;
    }
    if (format &&
        !files::writeFileSafely(options.report, gradeReport(*format, *exercise, graded), error)) {
        err << "mirelsim-batch: " << error << '\n';
        return 2;
    }
    return allPassed ? 0 : 1;
}

} // namespace mirel::batch
