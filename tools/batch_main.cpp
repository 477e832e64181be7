#include "batch_main.h"

#include "batch_check.h"
#include "batch_options.h"
#include "batch_run.h"

#include <ostream>

namespace mirel::batch {

namespace {
constexpr const char* optionsHelp =
    "  --kind hex|text|mrl  how FILE is read (without it: hex for a name ending in .hex,\n"
    "                       mrl for .mrl, in any case; text for every other name)\n"
    "  --steps N            perform N Steps\n"
    "  --inputs AA BB       before the first step, tick the input boxes of the bits set\n"
    "                       in AA (port A) and BB (port B), two hex digits each\n"
    "  --break INDEX        stop after a step that reaches program line INDEX (repeatable)\n"
    "  --back N             then take N steps back\n"
    "  --explain            after the state, print NEXT and what the next Step will do\n"
    "  --save KIND OUT      save the program as KIND to exactly OUT\n"
    "  --device PART        run as the part 16F84A, 16F628A or 16F877A does, instead of\n"
    "                       the teaching model\n"
    "  --check EXERCISE FILE...\n"
    "                       grade every FILE against the exercise file, one line each:\n"
    "                       name, verdict, checks passed, messages, the first failure\n"
    "  --report OUT         with --check: every check of every file as CSV, JSON or\n"
    "                       JUnit XML, as OUT ends in .csv, .json or .xml\n"
    "  -h, --help           print this and exit\n"
    "Prints the lines W, PC, SP, CODE and REG followed by every register line;\n"
    "with --explain then NEXT, a space and the next Step in words.\n"
    "Exit status 0; 2 for bad arguments, an unreadable or refused file or a failed save.\n"
    "With --check: 0 when every file passed, 1 when any did not, 2 for a bad exercise\n"
    "file or arguments.\n";
} // namespace

int batchMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string error;
    const auto options = parseBatchOptions(args, error);
    if (!options) {
        err << "mirelsim-batch: " << error << " (" << batchUsage << ")\n";
        return 2;
    }
    if (options->help) {
        out << batchUsage << '\n' << optionsHelp;
        return 0;
    }
    if (!options->exercise.empty())
        return checkBatch(*options, out, err);
    return runBatch(*options, out, err);
}

} // namespace mirel::batch
