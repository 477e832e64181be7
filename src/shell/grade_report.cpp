#include "grade_report.h"

namespace mirel::shell {

namespace {
std::string verdictLine(const exercise::Grade& grade, int passed, int shown) {
    if (grade.verdict == exercise::Verdict::NotAProgram)
        return "Not a program: " + grade.reason;
    const std::string counts = std::to_string(passed) + " of " + std::to_string(shown) +
                               (shown == 1 ? " check" : " checks");
    return (grade.verdict == exercise::Verdict::Passed ? "Passed: " : "Failed: ") + counts;
}

std::string messagesLine(const exercise::Grade& grade) {
    if (grade.messages <= 0)
        return {};
    std::string line = grade.messages == 1 ? "The run showed 1 message: " + grade.firstMessage
                                           : "The run showed " + std::to_string(grade.messages) +
                                                 " messages; the first: " + grade.firstMessage;
    if (grade.stoppedByMessages)
        line +=
            " (the run stopped there, at " + std::to_string(exercise::messageLimit) + " messages)";
    return line;
}
} // namespace

GradeReport reportGrade(const exercise::Grade& grade) {
    GradeReport report;
    int passed = 0;
    bool hiddenFailed = false;
    for (const exercise::CheckResult& result : grade.results) {
        if (!result.check)
            continue;
        if (result.check->hidden) {
            hiddenFailed = hiddenFailed || !result.passed;
            continue;
        }
        passed += result.passed ? 1 : 0;
        // The implied check has no line of the file to quote.
        const std::string text =
            result.check->text.empty() && result.check->kind == exercise::Check::Kind::NoMessages
                ? "no messages"
                : result.check->text;
        report.rows.push_back({result.passed, text,
                               "expected " + result.expected + ", got " + result.actual,
                               result.passed ? std::string() : result.check->message});
    }
    // A program that was not run has no checks to list.
    if (grade.verdict == exercise::Verdict::NotAProgram)
        report.rows.clear();
    report.verdict = verdictLine(grade, passed, static_cast<int>(report.rows.size()));
    if (grade.verdict == exercise::Verdict::Failed && hiddenFailed &&
        passed == static_cast<int>(report.rows.size()))
        report.hiddenFailure = "One of the exercise's hidden checks failed.";
    report.messages = messagesLine(grade);
    return report;
}

} // namespace mirel::shell
