#include "exercise_reader.h"

#include "check_reader.h"
#include "files/file_bytes.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace mirel::exercise {

namespace {

constexpr long long maxSteps = 100'000'000;

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

// "A 05 B 01", either port alone, in any order.
bool readInputs(std::string_view value, InputChange& change) {
    std::string words(value);
    std::size_t at = 0;
    const auto next = [&]() -> std::string_view {
        at = words.find_first_not_of(" \t", at);
        if (at == std::string::npos)
            return {};
        const auto end = std::min(words.find_first_of(" \t", at), words.size());
        const std::string_view word = std::string_view(words).substr(at, end - at);
        at = end;
        return word;
    };
    bool any = false;
    for (std::string_view port = next(); !port.empty(); port = next()) {
        const auto byte = hexValue(next(), 2);
        if (!byte)
            return false;
        if (port == "A" || port == "a")
            change.a = *byte;
        else if (port == "B" || port == "b")
            change.b = *byte;
        else
            return false;
        any = true;
    }
    return any;
}

// One exercise file being read, line by line.
class Reader {
public:
    explicit Reader(std::string& error) : error_(error) {}

    bool read(std::string_view text) {
        // The model first: register names in checks are the model's.
        std::vector<std::pair<int, std::string_view>> lines;
        int number = 0;
        while (!text.empty()) {
            ++number;
            const auto end = text.find('\n');
            const std::string_view line = trim(text.substr(0, end));
            text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
            if (!line.empty() && line.front() != '#')
                lines.emplace_back(number, line);
        }
        for (const auto& [n, line] : lines)
            if (keyOf(line) == "model" && !readModel(n, valueOf(line)))
                return false;
        for (const auto& [n, line] : lines)
            if (!readLine(n, line))
                return false;
        return finish();
    }

    Exercise exercise;

private:
    static std::string keyOf(std::string_view line) {
        const auto colon = line.find(':');
        std::string key;
        for (char c : trim(line.substr(0, colon == std::string_view::npos ? 0 : colon))) {
            if (c == '\t')
                c = ' ';
            if (c != ' ' || (!key.empty() && key.back() != ' '))
                key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return key;
    }
    static std::string_view valueOf(std::string_view line) {
        return trim(line.substr(line.find(':') + 1));
    }

    bool fail(int line, const std::string& what) {
        error_ = "line " + std::to_string(line) + ": " + what;
        return false;
    }

    bool readModel(int n, std::string_view value) {
        if (seenModel_)
            return fail(n, "the model is given twice");
        seenModel_ = true;
        const auto model = parts::modelNamed(value);
        if (!model)
            return fail(n, "unknown model '" + std::string(value) +
                               "' (expected Teaching Model, 16F84A, 16F628A or 16F877A)");
        exercise.model = *model;
        return true;
    }

    bool readLine(int n, std::string_view line) {
        if (line.find(':') == std::string_view::npos)
            return fail(n, "'" + std::string(line) +
                               "' is no key and value: write a key, a colon and its value");
        const std::string key = keyOf(line);
        const std::string_view value = valueOf(line);
        if (key == "model")
            return true; // read first
        if (key == "title") {
            if (!exercise.title.empty())
                return fail(n, "the title is given twice");
            if (value.empty())
                return fail(n, "the title is empty");
            exercise.title = value;
            return true;
        }
        if (key == "task") {
            exercise.task.emplace_back(value);
            return true;
        }
        if (key == "steps") {
            const auto steps = wholeNumber(value);
            if (!steps || *steps < 1 || *steps > maxSteps)
                return fail(n, "steps needs a whole number from 1 to " + std::to_string(maxSteps) +
                                   ", not '" + std::string(value) + "'");
            exercise.steps = *steps;
            return true;
        }
        if (key == "until") {
            if (!sameWords(value, "halted"))
                return fail(n, "until takes only 'halted', not '" + std::string(value) + "'");
            exercise.untilHalted = true;
            return true;
        }
        if (key == "messages") {
            if (!sameWords(value, "allowed"))
                return fail(n, "messages takes only 'allowed', not '" + std::string(value) + "'");
            messagesAllowed_ = true;
            return true;
        }
        if (key == "inputs" || key.starts_with("inputs at ")) {
            InputChange change;
            if (key != "inputs") {
                const auto step = wholeNumber(std::string_view(key).substr(10));
                if (!step)
                    return fail(n, "'" + key + "' needs a step count after 'at'");
                change.step = *step;
            }
            for (const InputChange& earlier : exercise.inputs)
                if (earlier.step == change.step)
                    return fail(n, "the inputs at step " + std::to_string(change.step) +
                                       " are given twice");
            if (!readInputs(value, change))
                return fail(n, "inputs need a port and two hex digits, as in 'A 05' or "
                               "'A 05 B 01', not '" +
                                   std::string(value) + "'");
            exercise.inputs.push_back(change);
            return true;
        }
        if (key == "check" || key == "hidden check")
            return readCheck(n, value, key != "check");
        return fail(n, "unknown key '" + key +
                           "' (expected title, task, model, inputs, inputs at N, steps, until, "
                           "messages, check or hidden check)");
    }

    bool readCheck(int n, std::string_view value, bool hidden) {
        const auto bar = value.find('|');
        if (bar == std::string_view::npos || trim(value.substr(bar + 1)).empty())
            return fail(n, "a check needs the message the learner reads after '|'");
        Check check;
        std::string what;
        if (!readCheckText(trim(value.substr(0, bar)), exercise.model, check, what))
            return fail(n, what);
        check.message = trim(value.substr(bar + 1));
        check.hidden = hidden;
        check.line = n;
        if (check.kind == Check::Kind::NoMessages)
            messagesChecked_ = true;
        exercise.checks.push_back(std::move(check));
        return true;
    }

    bool finish() {
        if (exercise.title.empty())
            return fail(1, "the file has no title: write 'title: ' and the exercise's name");
        if (exercise.checks.empty())
            return fail(1, "the file has no check: write 'check: ', what must hold, '|' and "
                           "the message the learner reads when it does not");
        if (!messagesChecked_ && !messagesAllowed_) {
            Check quiet;
            quiet.kind = Check::Kind::NoMessages;
            quiet.text = "no messages";
            quiet.message = "The run showed a message box; a program that works shows none.";
            exercise.checks.push_back(quiet);
        }
        std::stable_sort(
            exercise.inputs.begin(), exercise.inputs.end(),
            [](const InputChange& x, const InputChange& y) { return x.step < y.step; });
        return true;
    }

    std::string& error_;
    bool seenModel_ = false;
    bool messagesAllowed_ = false;
    bool messagesChecked_ = false;
};

} // namespace

std::optional<Exercise> readExercise(std::string_view text, std::string& error) {
    Reader reader(error);
    if (!reader.read(text))
        return std::nullopt;
    return std::move(reader.exercise);
}

std::optional<Exercise> readExerciseFile(const std::string& path, std::string& error) {
    const auto bytes = files::readFileBytes(path, error);
    if (!bytes)
        return std::nullopt;
    auto exercise = readExercise(*bytes, error);
    if (!exercise)
        error = path + ": " + error;
    return exercise;
}

} // namespace mirel::exercise
