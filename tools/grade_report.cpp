#include "grade_report.h"

#include "state/program_text.h"

#include <cstdio>

namespace mirel::batch {

namespace {

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

// Text for an XML attribute; control characters XML cannot hold become blanks.
std::string xmlText(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += static_cast<unsigned char>(c) < 0x20 && c != '\t' ? ' ' : c;
        }
    }
    return out;
}

std::string csvReport(const std::vector<GradedFile>& files) {
    std::string out = "file,verdict,check,hidden,passed,expected,actual,message\n";
    for (const GradedFile& file : files)
        for (const exercise::CheckResult& r : file.grade.results) {
            const bool notProgram = file.grade.verdict == exercise::Verdict::NotAProgram;
            out += csvField(file.name) + ',' + exercise::verdictText(file.grade.verdict) + ',' +
                   csvField(r.check->text) + ',' + (r.check->hidden ? "yes" : "no") + ',' +
                   (r.passed ? "yes" : "no") + ',' + csvField(r.expected) + ',' +
                   csvField(notProgram ? file.grade.reason : r.actual) + ',' +
                   csvField(r.check->message) + '\n';
        }
    return out;
}

std::string jsonReport(const exercise::Exercise& exercise, const std::vector<GradedFile>& files) {
    std::string out = "{\"exercise\": " + jsonString(exercise.title) + ", \"files\": [";
    for (std::size_t f = 0; f < files.size(); ++f) {
        const exercise::Grade& g = files[f].grade;
        out += f ? ",\n" : "\n";
        out += "  {\"file\": " + jsonString(files[f].name) +
               ", \"verdict\": " + jsonString(exercise::verdictText(g.verdict)) +
               ", \"reason\": " + jsonString(g.reason) +
               ", \"passed\": " + std::to_string(g.passedCount()) +
               ", \"checks\": " + std::to_string(g.results.size()) +
               ", \"steps\": " + std::to_string(g.steps) +
               ", \"instructions\": " + std::to_string(g.instructions) +
               ", \"cycles\": " + std::to_string(g.cycles) +
               ", \"messages\": " + std::to_string(g.messages) + ", \"results\": [";
        for (std::size_t i = 0; i < g.results.size(); ++i) {
            const exercise::CheckResult& r = g.results[i];
            out += i ? ",\n" : "\n";
            out += "    {\"check\": " + jsonString(r.check->text) +
                   ", \"hidden\": " + (r.check->hidden ? "true" : "false") +
                   ", \"passed\": " + (r.passed ? "true" : "false") +
                   ", \"expected\": " + jsonString(r.expected) +
                   ", \"actual\": " + jsonString(r.actual) +
                   ", \"message\": " + jsonString(r.check->message) + "}";
        }
        out += "]}";
    }
    return out + "\n]}\n";
}

// One test suite per file, one test case per check: what learning platforms
// and CI servers read. A file that is no program is an error on every check.
std::string junitReport(const exercise::Exercise& exercise, const std::vector<GradedFile>& files) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"" +
                      xmlText(exercise.title) + "\">\n";
    for (const GradedFile& file : files) {
        const exercise::Grade& g = file.grade;
        const bool notProgram = g.verdict == exercise::Verdict::NotAProgram;
        const std::size_t failed = g.results.size() - static_cast<std::size_t>(g.passedCount());
        out += "  <testsuite name=\"" + xmlText(file.name) + "\" tests=\"" +
               std::to_string(g.results.size()) + "\" failures=\"" +
               std::to_string(notProgram ? 0 : failed) + "\" errors=\"" +
               std::to_string(notProgram ? failed : 0) + "\">\n";
        for (const exercise::CheckResult& r : g.results) {
            out += "    <testcase classname=\"" + xmlText(file.name) + "\" name=\"" +
                   xmlText(r.check->text) + "\"";
            if (r.passed) {
                out += "/>\n";
            } else if (notProgram) {
                out += ">\n      <error message=\"" + xmlText("not a program: " + g.reason) +
                       "\"/>\n    </testcase>\n";
            } else {
                out += ">\n      <failure message=\"" + xmlText(r.check->message) + "\">" +
                       xmlText("expected " + r.expected + ", got " + r.actual) +
                       "</failure>\n    </testcase>\n";
            }
        }
        out += "  </testsuite>\n";
    }
    return out + "</testsuites>\n";
}

} // namespace

std::optional<ReportFormat> reportFormatOf(std::string_view name) {
    const std::string upper = state::upperCase(name);
    if (upper.ends_with(".CSV"))
        return ReportFormat::Csv;
    if (upper.ends_with(".JSON"))
        return ReportFormat::Json;
    if (upper.ends_with(".XML"))
        return ReportFormat::JunitXml;
    return std::nullopt;
}

std::string gradeReport(ReportFormat format, const exercise::Exercise& exercise,
                        const std::vector<GradedFile>& files) {
    switch (format) {
    case ReportFormat::Csv:
        return csvReport(files);
    case ReportFormat::Json:
        return jsonReport(exercise, files);
    case ReportFormat::JunitXml:
        break;
    }
    return junitReport(exercise, files);
}

} // namespace mirel::batch
