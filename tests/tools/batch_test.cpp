#include "batch_main.h"
#include "batch_options.h"
#include "batch_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace mirel::batch {
namespace {

std::optional<BatchOptions> parse(std::vector<std::string> args, std::string& error) {
    return parseBatchOptions(args, error);
}

TEST(BatchOptionsParsing, ReadsEveryOptionAndDefaults) {
    std::string error;
    auto o = parse({"prog.txt"}, error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->kind, files::ProgramKind::Text);
    EXPECT_EQ(o->steps, 0);
    EXPECT_FALSE(o->saveKind);
    EXPECT_FALSE(o->explain);
    EXPECT_EQ(o->file, "prog.txt");

    o = parse({"--kind", "hex", "--steps", "25", "--save", "mrl", "out.mrl", "--explain", "p.hex"},
              error);
    ASSERT_TRUE(o) << error;
    EXPECT_TRUE(o->explain);
    EXPECT_EQ(o->kind, files::ProgramKind::Hex);
    EXPECT_EQ(o->steps, 25);
    EXPECT_EQ(o->saveKind, files::ProgramKind::Mirel);
    EXPECT_EQ(o->saveTo, "out.mrl");
    EXPECT_EQ(o->file, "p.hex");
}

TEST(BatchOptionsParsing, RejectsWhatItDoesNotUnderstand) {
    const struct {
        std::vector<std::string> args;
        const char* says;
    } rows[] = {
        {{}, "no FILE"},
        {{"--verbose", "p.txt"}, "unknown option '--verbose'"},
        {{"--kind", "bin", "p.txt"}, "unknown file kind 'bin'"},
        {{"--kind"}, "--kind needs a value"},
        {{"--steps", "-1", "p.txt"}, "--steps needs a whole number"},
        {{"--steps", "12x", "p.txt"}, "--steps needs a whole number"},
        {{"--save", "hex"}, "--save needs two values"},
        {{"a.txt", "b.txt"}, "only one FILE"},
        {{"--inputs", "0F", "p.txt"}, "--inputs needs two bytes"},
        {{"--inputs", "0F", "1", "p.txt"}, "--inputs needs two bytes"},
        {{"--inputs", "0G", "00", "p.txt"}, "--inputs needs two bytes"},
        {{"--inputs", "100", "00", "p.txt"}, "--inputs needs two bytes"},
        {{"--inputs", "+1", "00", "p.txt"}, "--inputs needs two bytes"},
        {{"--inputs", "0f"}, "--inputs needs two values"},
        {{"--device", "16F877", "p.txt"}, "unknown device '16F877'"},
        {{"--device", "Teaching Model", "p.txt"}, "unknown device 'Teaching Model'"},
        {{"--device"}, "--device needs a value"},
    };
    for (const auto& row : rows) {
        std::string error;
        EXPECT_FALSE(parse(row.args, error));
        EXPECT_NE(error.find(row.says), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << "one line: " << error;
    }
}

// Without --kind the name decides, by its last extension only and in any case.
TEST(BatchOptionsParsing, KindFollowsTheFileNameUnlessGiven) {
    using files::ProgramKind;
    const struct {
        std::vector<std::string> args;
        ProgramKind kind;
    } rows[] = {
        {{"p.hex"}, ProgramKind::Hex},
        {{"P.HEX"}, ProgramKind::Hex},
        {{"dir/p.Hex"}, ProgramKind::Hex},
        {{"a.mrl.hex"}, ProgramKind::Hex},
        {{"p.mrl"}, ProgramKind::Mirel},
        {{"P.MRL"}, ProgramKind::Mirel},
        {{"p.txt"}, ProgramKind::Text},
        {{"a.hex.txt"}, ProgramKind::Text},
        {{"dir.hex/p"}, ProgramKind::Text},
        {{"p.hexx"}, ProgramKind::Text},
        {{"phex"}, ProgramKind::Text},
        {{"p"}, ProgramKind::Text},
        {{"--kind", "text", "p.hex"}, ProgramKind::Text},
        {{"p.mrl", "--kind", "hex"}, ProgramKind::Hex},
        {{"--kind", "mrl", "p.txt"}, ProgramKind::Mirel},
    };
    for (const auto& row : rows) {
        std::string error;
        const auto o = parse(row.args, error);
        ASSERT_TRUE(o) << error;
        EXPECT_EQ(o->kind, row.kind) << row.args.back();
    }
}

TEST(BatchOptionsParsing, InputsTakeExactlyTwoHexDigits) {
    for (const char* bad : {"-1", "+1", "0x", "1", "100", " 1", "1 ", "", "x1"}) {
        for (const auto& args : {std::vector<std::string>{"--inputs", bad, "00", "p.txt"},
                                 std::vector<std::string>{"--inputs", "00", bad, "p.txt"}}) {
            std::string error;
            EXPECT_FALSE(parse(args, error)) << "'" << bad << "'";
            EXPECT_NE(error.find("--inputs needs two bytes"), std::string::npos) << error;
        }
    }
}

// Help wins wherever it stands after good arguments, needs no FILE and is
// the usage on standard output with status 0.
TEST(BatchMain, HelpPrintsTheUsageAndSucceeds) {
    const std::vector<std::string> asks[] = {
        {"--help"}, {"-h"}, {"--steps", "3", "-h", "p.txt"}, {"missing.txt", "--help"}};
    for (const auto& args : asks) {
        std::ostringstream out, err;
        EXPECT_EQ(batchMain(args, out, err), 0) << args.front();
        EXPECT_EQ(out.str().rfind(std::string(batchUsage) + "\n", 0), 0u) << out.str();
        EXPECT_NE(out.str().find("-h, --help"), std::string::npos);
        EXPECT_EQ(err.str(), "");
    }
    std::ostringstream out, err;
    EXPECT_EQ(batchMain({"--hel", "p.txt"}, out, err), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(),
              "mirelsim-batch: unknown option '--hel' (" + std::string(batchUsage) + ")\n");
}

TEST(BatchRun, PrintsTheStateInItsExactForm) {
    const auto path = std::filesystem::temp_directory_path() / "mirelsim-batch-test.txt";
    std::ofstream(path, std::ios::binary) << "0000\tNOP\t\r\n0001\tNOP\t\r\n0002\tOPTION\t\r\n";
    BatchOptions options;
    options.file = path.string();
    options.steps = 5;
    std::ostringstream out, err;
    ASSERT_EQ(runBatch(options, out, err), 0) << err.str();
    std::filesystem::remove(path);

    std::istringstream lines(out.str());
    std::string line;
    std::vector<std::string> head;
    for (int i = 0; i < 6 && std::getline(lines, line); ++i)
        head.push_back(line);
    EXPECT_EQ(head, (std::vector<std::string>{"W 00", "PC 2", "SP", "CODE 3", "REG",
                                              "0000\t00   00000000"}));
    int regLines = 1;
    while (std::getline(lines, line))
        ++regLines;
    EXPECT_EQ(regLines, 513);
    EXPECT_EQ(err.str(), "");
}

// The boxes are ticked before the first step. After Open every pin is an
// output, and a ticked hidden box still holds its pin at 1.
// --device runs the part's rules: here a computed jump past the program's
// end, which leaves no line selected, and the return address on the stack.
TEST(BatchRun, DeviceRunsThePartsRules) {
    std::string error;
    auto options = parse({"--device", "16f628a", "--steps", "3", "p.txt"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->model, device::Model::F628A);
    const auto path = std::filesystem::temp_directory_path() / "mirelsim-batch-device.txt";
    std::ofstream(path, std::ios::binary)
        << "0000\tLDA\t01 H\r\n0001\tJSR\t0003\r\n0002\tNOP\r\n0003\tADD\t02\r\n";
    options->file = path.string();
    std::ostringstream out, err;
    ASSERT_EQ(runBatch(*options, out, err), 0) << err.str();
    std::filesystem::remove(path);
    const std::string state = out.str();
    EXPECT_EQ(state.rfind("W 01\nPC -1\nSP 0002\nCODE 4\nREG\n", 0), 0u) << state;
    for (const char* line : {"\n0002\t05   00000101\n", "\n0082\t05   00000101\n",
                             "\n0183\t18   00011000\n", "\n0085\tFF   11111111\n"})
        EXPECT_NE(state.find(line), std::string::npos) << line;
}

TEST(BatchRun, InputsAreTickedBeforeTheFirstStep) {
    std::string error;
    auto options = parse({"--inputs", "a5", "3C", "--steps", "1", "p.txt"}, error);
    ASSERT_TRUE(options) << error;
    ASSERT_TRUE(options->inputs);
    EXPECT_EQ(options->inputs->a, 0xA5);
    EXPECT_EQ(options->inputs->b, 0x3C);

    const auto path = std::filesystem::temp_directory_path() / "mirelsim-batch-inputs.txt";
    std::ofstream(path, std::ios::binary) << "0000\tNOP\t\r\n0001\tNOP\t\r\n";
    options->file = path.string();
    std::ostringstream out, err;
    ASSERT_EQ(runBatch(*options, out, err), 0) << err.str();
    std::filesystem::remove(path);
    const std::string state = out.str();
    EXPECT_NE(state.find("\n0005\tA5   10100101\n0006\t3C   00111100\n"), std::string::npos)
        << state;
}

TEST(BatchRun, AMissingFileIsStatusTwoWithOneLine) {
    BatchOptions options;
    options.file = "/nonexistent/mirelsim/program.txt";
    std::ostringstream out, err;
    EXPECT_EQ(runBatch(options, out, err), 2);
    EXPECT_EQ(out.str(), "");
    const std::string message = err.str();
    EXPECT_NE(message.find("program.txt"), std::string::npos);
    EXPECT_EQ(message.find('\n'), message.size() - 1);
}

// A hex file opened and saved under exactly the name given; a save that
// fails or a refused file is status 2 with its message.
TEST(BatchRun, OpensAndSavesEveryKind) {
    const auto dir = std::filesystem::temp_directory_path() / "mirelsim-batch-save";
    std::filesystem::create_directories(dir);
    const auto in = dir / "p.hex";
    std::ofstream(in, std::ios::binary) << ":040000008316000063\r\n";
    BatchOptions options;
    options.kind = files::ProgramKind::Hex;
    options.file = in.string();
    options.saveKind = files::ProgramKind::Mirel;
    options.saveTo = (dir / "out").string();
    std::ostringstream out, err;
    EXPECT_EQ(runBatch(options, out, err), 0) << err.str();
    std::ifstream saved(dir / "out", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}),
              "0000\t1683\tSET   03,5\r\n0001\t0000\tNOP   \r\n");

    options.saveTo = dir.string();
    std::ostringstream out2, err2;
    EXPECT_EQ(runBatch(options, out2, err2), 2);
    EXPECT_EQ(err2.str(), "mirelsim-batch: Cannot save " + dir.string() + ": Is a directory\n");
    EXPECT_EQ(out2.str(), "");
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace mirel::batch

namespace mirel::batch {
namespace {

// Stopping at a breakpoint and stepping back both land where fewer plain
// steps land, and print exactly that.
TEST(BatchRun, BreakAndBackPrintWhatFewerStepsPrint) {
    const auto path = std::filesystem::temp_directory_path() / "mirelsim-batch-back.txt";
    std::ofstream(path, std::ios::binary)
        << "0000\tINC\t20\r\n0001\tJSR\t0004\r\n0002\tJMP\t0000\r\n0003\tNOP\t\r\n"
           "0004\tLDA\t21 W\r\n0005\tSPA\t21\r\n0006\tRTS\t\r\n";
    const auto run = [&](std::vector<std::string> args, int status = 0) {
        args.push_back(path.string());
        std::string error;
        const auto options = parse(args, error);
        EXPECT_TRUE(options) << error;
        std::ostringstream out, err;
        EXPECT_EQ(options ? runBatch(*options, out, err) : -1, status) << err.str();
        return out.str() + err.str();
    };
    const struct {
        std::vector<std::string> args;
        long long sameAsSteps;
    } rows[] = {
        {{"--steps", "40", "--back", "13"}, 27},
        {{"--steps", "5", "--back", "9"}, 0},
        {{"--steps", "100", "--break", "4"}, 2},
        {{"--steps", "100", "--break", "6", "--break", "5", "--back", "1"}, 2},
        {{"--break", "3", "--steps", "100"}, 100}, // never reached
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args[1] + " " + row.args[3]);
        EXPECT_EQ(run(row.args), run({"--steps", std::to_string(row.sameAsSteps)}));
    }
    EXPECT_NE(run({"--break", "7"}, 2).find("--break 7 is not a line of the program"),
              std::string::npos);
    std::filesystem::remove(path);

    for (const char* option : {"--back", "--break"}) {
        std::string error;
        EXPECT_FALSE(parse({option, "x", "p.txt"}, error));
        EXPECT_EQ(error, std::string(option) + " needs a whole number of 0 or more, not 'x'");
    }
}

} // namespace
} // namespace mirel::batch

namespace mirel::batch {
namespace {

// --explain prints the state exactly as without it, then the next Step in
// words: after steps, breakpoints, steps back, under a part, and for nothing.
TEST(BatchRun, ExplainAddsTheNextStepAfterTheState) {
    const auto dir = std::filesystem::temp_directory_path() / "mirelsim-batch-explain";
    std::filesystem::create_directories(dir);
    const auto calls = (dir / "calls.txt").string();
    std::ofstream(calls, std::ios::binary)
        << "0000\tLDA\t05 H\r\n0001\tADD\t20 W\r\n0002\tJSR\t0004\r\n0003\tNOP\r\n"
           "0004\tRTS\r\n";
    const auto empty = (dir / "empty.txt").string();
    std::ofstream(empty, std::ios::binary) << "";
    const struct {
        std::vector<std::string> args;
        const char* next;
    } rows[] = {
        {{"--explain", calls}, "NEXT LDA 05 H: W = 05, Z = 0"},
        {{"--steps", "1", calls, "--explain"},
         "NEXT ADD 20 W: W = 05 + [0020] 00 = 05, Z = 0, C = 0"},
        {{"--steps", "2", "--explain", calls}, "NEXT JSR 0004: pushes 2, jumps to 0004"},
        {{"--steps", "4", "--explain", calls}, "NEXT NOP: does nothing"},
        {{"--steps", "9", "--break", "4", "--explain", calls}, "NEXT RTS: pops 2, returns to 0003"},
        {{"--steps", "3", "--back", "2", "--explain", calls},
         "NEXT ADD 20 W: W = 05 + [0020] 00 = 05, Z = 0, C = 0"},
        {{"--device", "16F84A", "--explain", calls}, "NEXT LDA 05 H: W = 05"},
        {{"--device", "16F84A", "--steps", "2", "--explain", calls},
         "NEXT JSR 0004: pushes 0003, jumps to 0004"},
        {{"--steps", "4", "--explain", empty}, "NEXT "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.args));
        std::string error;
        const auto explained = parse(row.args, error);
        ASSERT_TRUE(explained) << error;
        auto plain = *explained;
        plain.explain = false;
        std::ostringstream plainOut, explainedOut, err;
        ASSERT_EQ(runBatch(plain, plainOut, err), 0) << err.str();
        ASSERT_EQ(runBatch(*explained, explainedOut, err), 0) << err.str();
        const std::string state = plainOut.str();
        const std::string printed = explainedOut.str();
        EXPECT_TRUE(printed.starts_with(state)) << "--explain changes the state printed";
        EXPECT_EQ(printed.substr(std::min(state.size(), printed.size())),
                  std::string(row.next) + "\n");
    }
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace mirel::batch
