// Holds the driver's printout after random programs to what was recorded: a
// rewrite of the core must reproduce every run byte for byte. The recorded
// runs and their format are described in tests/golden_runs/generate.py.
#include "batch_options.h"
#include "batch_run.h"
#include "golden_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace mirel::batch {
namespace {

namespace fs = std::filesystem;
using golden::join;
using golden::readBytes;
using golden::splitAt;

// One recorded run: the driver arguments before FILE and what it printed.
struct GoldenRun {
    std::vector<std::string> arguments;
    std::string out;
    std::string err;
};

// Stored printouts keep only the lines that differ from the reference printout;
// messages are stored as runs of equal lines.
std::vector<GoldenRun> readRuns(const std::string& text,
                                const std::vector<std::string>& reference) {
    std::vector<GoldenRun> runs;
    std::vector<std::string> out;
    auto finish = [&] {
        if (!runs.empty())
            runs.back().out = join(out, "\n");
    };
    for (const std::string& line : splitAt(text, '\n')) {
        if (line.starts_with("run ")) {
            finish();
            auto arguments = splitAt(line.substr(4), ' ');
            runs.push_back({arguments, {}, {}});
        } else if (line.starts_with("lines ")) {
            out = reference;
            out.resize(std::stoul(line.substr(6)));
        } else if (line.starts_with("err\t")) {
            const auto count = std::stoi(line.substr(4));
            const auto message = line.substr(line.find('\t', 4) + 1);
            for (int i = 0; i < count; ++i)
                runs.back().err += message + "\n";
        } else if (!line.empty()) {
            const auto tab = line.find('\t');
            out.at(std::stoul(line.substr(0, tab))) = line.substr(tab + 1);
        }
    }
    finish();
    return runs;
}

// A line too long to keep (a stack grown without bound) is stored as its
// length and FNV-1a hash; the expected printout holds that mark in its place.
std::uint64_t fnv1a(const std::string& text) {
    std::uint64_t value = 0xCBF29CE484222325ULL;
    for (unsigned char byte : text)
        value = (value ^ byte) * 0x100000001B3ULL;
    return value;
}

std::string hashMark(const std::string& line) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(fnv1a(line)));
    return "hash\t" + std::to_string(line.size()) + "\t" + hex;
}

// The printout with every line too long to keep replaced by its mark.
std::string withLongLinesHashed(const std::string& out) {
    auto lines = splitAt(out, '\n');
    for (auto& line : lines)
        if (line.size() > 2000)
            line = hashMark(line);
    return join(lines, "\n");
}

// Where two printouts part, as the line number and both lines.
std::string firstDifference(const std::string& expected, const std::string& actual) {
    const auto want = splitAt(expected, '\n');
    const auto got = splitAt(actual, '\n');
    std::size_t i = 0;
    while (i < want.size() && i < got.size() && want[i] == got[i])
        ++i;
    auto at = [](const std::vector<std::string>& lines, std::size_t n) {
        return n < lines.size() ? "\"" + lines[n] + "\"" : std::string("(no line)");
    };
    return "line " + std::to_string(i + 1) + ": expected " + at(want, i) + ", got " + at(got, i);
}

TEST(GoldenRuns, DriverPrintsWhatWasRecordedForEveryRandomProgram) {
    const fs::path folder = MIRELSIM_GOLDEN_RUNS_DIR;
    const auto reference = splitAt(readBytes(folder / "reference.out"), '\n');
    const auto programs = golden::programsIn(folder);
    ASSERT_GE(programs.size(), 300u);

    for (const fs::path& program : programs) {
        fs::path runsFile = program;
        runsFile.replace_extension(".runs");
        const auto runs = readRuns(readBytes(runsFile), reference);
        ASSERT_FALSE(runs.empty()) << runsFile << " records no run";
        for (const GoldenRun& run : runs) {
            auto arguments = run.arguments;
            arguments.push_back(program.string());
            std::string error;
            const auto options = parseBatchOptions(arguments, error);
            ASSERT_TRUE(options) << runsFile << ": " << error;
            std::ostringstream out;
            std::ostringstream err;
            const std::string name =
                program.filename().string() + " with " + join(run.arguments, " ");
            ASSERT_EQ(runBatch(*options, out, err), 0) << name;
            const std::string printed = withLongLinesHashed(out.str());
            ASSERT_TRUE(printed == run.out)
                << name << " prints otherwise, " << firstDifference(run.out, printed);
            ASSERT_TRUE(err.str() == run.err)
                << name << " reports otherwise, " << firstDifference(run.err, err.str());
        }
    }
}

} // namespace
} // namespace mirel::batch
