#include "batch_options.h"

#include "state/program_text.h"

#include <charconv>
#include <limits>

namespace mirel::batch {

namespace {
std::optional<files::ProgramKind> kindArgument(const std::string& value, std::string& error) {
    auto kind = files::kindFromName(value);
    if (!kind)
        error = "unknown file kind '" + value + "' (expected hex, text or mrl)";
    return kind;
}

std::optional<long long> countArgument(const std::string& option, const std::string& value,
                                       std::string& error) {
    long long n = 0;
    const char* end = value.data() + value.size();
    const auto [ptr, ec] = std::from_chars(value.data(), end, n);
    if (value.empty() || ec != std::errc() || ptr != end || n < 0) {
        error = option + " needs a whole number of 0 or more, not '" + value + "'";
        return std::nullopt;
    }
    return n;
}
// Two hexadecimal digits of either case, nothing else (from_chars alone
// would take a minus sign).
std::optional<int> hexByte(const std::string& value) {
    const auto digit = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    };
    if (value.size() != 2 || !digit(value[0]) || !digit(value[1]))
        return std::nullopt;
    int byte = 0;
    std::from_chars(value.data(), value.data() + value.size(), byte, 16);
    return byte;
}

std::optional<PortInputs> inputsArgument(const std::string& a, const std::string& b,
                                         std::string& error) {
    const auto portA = hexByte(a);
    const auto portB = hexByte(b);
    if (!portA || !portB) {
        error =
            "--inputs needs two bytes of two hexadecimal digits each, not '" + a + "' '" + b + "'";
        return std::nullopt;
    }
    return PortInputs{*portA, *portB};
}
// --check takes the files after the exercise, each read as its name says
// unless --kind is given, and no option that steps or saves one program.
std::optional<BatchOptions> checkOptions(BatchOptions options, bool fileBefore, bool haveKind,
                                         std::string& error) {
    if (fileBefore) {
        error = "with --check the files come after the exercise, and options before it";
        return std::nullopt;
    }
    if (options.steps != 0 || !options.breaks.empty() || options.back != 0 || options.explain ||
        options.inputs || options.saveKind || options.model != parts::Model::Teaching ||
        !options.trace.empty()) {
        error = "--check takes only --kind and --report besides the files: the exercise says "
                "how the programs run";
        return std::nullopt;
    }
    if (options.files.empty()) {
        error = "--check needs at least one FILE after the exercise";
        return std::nullopt;
    }
    options.kindGiven = haveKind;
    return options;
}

} // namespace

files::ProgramKind kindOfFile(std::string_view name) {
    const std::string upper = state::upperCase(name);
    if (upper.ends_with(".HEX"))
        return files::ProgramKind::Hex;
    if (upper.ends_with(".MRL"))
        return files::ProgramKind::Mirel;
    return files::ProgramKind::Text;
}

char traceKind(std::string_view name) {
    const std::string upper = state::upperCase(name);
    return upper.ends_with(".VCD") ? 'v' : upper.ends_with(".CSV") ? 'c' : 0;
}

std::optional<BatchOptions> parseBatchOptions(const std::vector<std::string>& args,
                                              std::string& error) {
    BatchOptions options;
    bool haveFile = false;
    bool haveKind = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::size_t ahead) -> const std::string* {
            if (i + ahead >= args.size()) {
                error = arg + " needs " + (ahead == 1 ? "a value" : "two values");
                return nullptr;
            }
            return &args[i + ahead];
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        } else if (arg == "--check" || arg == "--report" || arg == "--trace") {
            const std::string* v = value(1);
            if (!v)
                return std::nullopt;
            (arg == "--check"    ? options.exercise
             : arg == "--report" ? options.report
                                 : options.trace) = *v;
            if (arg == "--trace" && !traceKind(*v)) {
                error = "--trace needs a file name ending in .vcd or .csv, not '" + *v + "'";
                return std::nullopt;
            }
            i += 1;
        } else if (arg == "--explain") {
            options.explain = true;
        } else if (arg == "--kind") {
            const std::string* v = value(1);
            if (!v)
                return std::nullopt;
            auto kind = kindArgument(*v, error);
            if (!kind)
                return std::nullopt;
            options.kind = *kind;
            haveKind = true;
            i += 1;
        } else if (arg == "--steps" || arg == "--back" || arg == "--break") {
            const std::string* v = value(1);
            if (!v)
                return std::nullopt;
            auto n = countArgument(arg, *v, error);
            if (!n)
                return std::nullopt;
            if (arg == "--steps")
                options.steps = *n;
            else if (arg == "--back")
                options.back = *n;
            else if (*n > std::numeric_limits<int>::max()) {
                error = "--break needs a program line index, not '" + *v + "'";
                return std::nullopt;
            } else
                options.breaks.push_back(static_cast<int>(*n));
            i += 1;
        } else if (arg == "--device") {
            const std::string* v = value(1);
            if (!v)
                return std::nullopt;
            const auto model = parts::modelNamed(*v);
            if (!model || *model == parts::Model::Teaching) {
                error = "unknown device '" + *v + "' (expected 16F84A, 16F628A or 16F877A)";
                return std::nullopt;
            }
            options.model = *model;
            i += 1;
        } else if (arg == "--inputs") {
            if (!value(2))
                return std::nullopt;
            options.inputs = inputsArgument(args[i + 1], args[i + 2], error);
            if (!options.inputs)
                return std::nullopt;
            i += 2;
        } else if (arg == "--save") {
            const std::string* out = value(2);
            if (!out)
                return std::nullopt;
            auto kind = kindArgument(args[i + 1], error);
            if (!kind)
                return std::nullopt;
            options.saveKind = kind;
            options.saveTo = *out;
            i += 2;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        } else if (!options.exercise.empty()) {
            options.files.push_back(arg);
        } else if (haveFile) {
            error = "only one FILE may be given, not also '" + arg + "'";
            return std::nullopt;
        } else {
            options.file = arg;
            haveFile = true;
        }
    }
    if (!options.exercise.empty())
        return checkOptions(std::move(options), haveFile, haveKind, error);
    if (!options.report.empty()) {
        error = "--report goes with --check";
        return std::nullopt;
    }
    if (!haveFile) {
        error = "no FILE given";
        return std::nullopt;
    }
    if (!haveKind)
        options.kind = kindOfFile(options.file);
    return options;
}

} // namespace mirel::batch
