#pragma once

#include "files/program_kind.h"
#include "parts/model.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirel::batch {

// The input boxes to tick before the first step: bit i of a byte ticks box i.
struct PortInputs {
    int a = 0;
    int b = 0;
};

struct BatchOptions {
    bool help = false; // --help or -h: print the usage, nothing else
    files::ProgramKind kind = files::ProgramKind::Text; // --kind, else by FILE's name
    bool kindGiven = false; // with --check: --kind was given for every file
    long long steps = 0;
    std::vector<int> breaks; // program line indices a step stops after
    long long back = 0;      // steps taken back after the steps
    bool explain = false;    // --explain: after the state, what the next Step will do
    // --trace: the pins, W and the next line after every step, as VCD or CSV by the name's ending.
    std::string trace;
    std::optional<PortInputs> inputs;
    std::optional<files::ProgramKind> saveKind;
    std::string saveTo;
    std::string file;
    // --check EXERCISE FILE...: grade every FILE against the exercise instead.
    std::string exercise;
    std::vector<std::string> files;
    std::string report; // --report: every check of every file, as CSV, JSON or JUnit XML
    // --device: the part whose rules the machine follows; the teaching model without it.
    parts::Model model = parts::Model::Teaching;
};

// The kind a FILE is opened as without --kind: hex for a name ending in .hex,
// mrl for .mrl, in any case; text for every other name.
files::ProgramKind kindOfFile(std::string_view name);

// 'v' for a trace file name ending in .vcd, 'c' for .csv, in any case; 0 otherwise.
char traceKind(std::string_view name);

// Parses the arguments after the program name. On a bad argument the result
// is empty and `error` says what is wrong, in one line.
std::optional<BatchOptions> parseBatchOptions(const std::vector<std::string>& args,
                                              std::string& error);

inline constexpr const char* batchUsage =
    "usage: mirelsim-batch [--kind hex|text|mrl] [--steps N] "
    "[--inputs AA BB] [--break INDEX]... [--back N] [--explain] [--trace OUT.vcd|.csv] "
    "[--save hex|text|mrl OUT] "
    "[--device 16F84A|16F628A|16F877A] FILE\n"
    "   or: mirelsim-batch [--kind hex|text|mrl] [--report OUT.csv|.json|.xml] "
    "--check EXERCISE FILE...";

} // namespace mirel::batch
