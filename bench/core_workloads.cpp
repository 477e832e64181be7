// Whole-loop probe over seven learners' programs (bench/workloads.cpp): how
// many instructions a second the core executes on each, through the library
// and through mirelsim-batch --steps. Before it measures, each program must
// give its known first answer, in the library and in the driver. The library
// line also says how many cycles an instruction takes on the program, which
// bench/reference/time_gpsim.sh needs to turn gpsim's cycles into instructions.
//
//   core_workloads [SECONDS per run, default 1] [PATH of mirelsim-batch] [PART]
//
// With a PART (16F84A, 16F628A, 16F877A) the machine follows that part's
// rules; an empty PATH takes the driver built beside this probe.
//
// Each figure is the best of three runs; the driver's start-up is taken off
// by the best of three runs of no steps.
#include "parts/model.h"
#include "program_fixture.h"
#include "sim/simulator.h"
#include "state/hex_text.h"
#include "workloads.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

namespace {

using namespace mirel;
using Clock = std::chrono::steady_clock;

// The rules every machine of this run follows.
parts::Model model = parts::Model::Teaching;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "core_workloads: %s\n", what.c_str());
    std::exit(1);
}

// A main form holding the program and a simulator on it.
struct Machine {
    explicit Machine(const bench::Workload& workload) {
        form.chosenModel = model;
        bench::loadProgram(form, workload.lines);
    }
    state::MainForm form;
    bench::SilentMessages messages;
    sim::Simulator simulator{form, messages};
};

// Step by step and in one run on values alike.
void checkLibrary(const bench::Workload& workload) {
    for (const bool stepped : {true, false}) {
        Machine machine(workload);
        if (stepped)
            for (long long i = 0; i < workload.checkSteps; ++i)
                machine.simulator.Step_Click();
        else
            for (long long done = 0; done < workload.checkSteps;)
                done += machine.simulator.run(workload.checkSteps - done);
        for (const auto& [index, value] : workload.expected)
            if (machine.form.registers.value(index) != value)
                fail(std::string(workload.name) + ": register " + state::hex2(index) + " holds " +
                     state::hex2(machine.form.registers.value(index)) + " after " +
                     std::to_string(workload.checkSteps) + (stepped ? " steps" : " run steps") +
                     ", not " + state::hex2(value));
    }
}

// Adds up the cycles of the steps it hears.
class CycleCount final : public sim::StepListener {
public:
    void stepStarting() override {}
    void stepFinished(int cycles) override { total += cycles; }
    long long total = 0;
};

// Cycles an instruction over a long run: what turns a count of cycles (as
// other simulators count) into instructions.
double cyclesPerInstruction(const bench::Workload& workload) {
    Machine machine(workload);
    CycleCount count;
    machine.simulator.setStepListener(&count);
    constexpr long long steps = 1'000'000;
    for (long long i = 0; i < steps; ++i)
        machine.simulator.Step_Click();
    machine.simulator.setStepListener(nullptr);
    return static_cast<double>(count.total) / steps;
}

// Steps a second over `seconds` from New.
double libraryRun(const bench::Workload& workload, double seconds) {
    Machine machine(workload);
    constexpr long long batch = 100'000;
    long long steps = 0;
    const auto start = Clock::now();
    double elapsed = 0;
    do {
        for (long long done = 0; done < batch;)
            done += machine.simulator.run(batch - done);
        steps += batch;
        elapsed = secondsSince(start);
    } while (elapsed < seconds);
    return static_cast<double>(steps) / elapsed;
}

// The best of three runs: the machine is shared, and a slow run only says
// that something else ran meanwhile.
double libraryRate(const bench::Workload& workload, double seconds) {
    double best = 0;
    for (int i = 0; i < 3; ++i)
        best = std::max(best, libraryRun(workload, seconds));
    return best;
}

std::string batchCommand(const std::string& driver, const std::string& program, long long steps) {
    const std::string part =
        model == parts::Model::Teaching ? "" : " --device " + std::string(parts::modelName(model));
    return "'" + driver + "'" + part + " --steps " + std::to_string(steps) + " '" + program + "'";
}

// The driver's printout after `steps` steps, and the seconds the whole process took.
std::pair<std::string, double> runBatch(const std::string& driver, const std::string& program,
                                        long long steps) {
    const std::string command = batchCommand(driver, program, steps);
    const auto start = Clock::now();
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        fail("cannot run '" + command + "'");
    std::string out;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        out.append(buffer, n);
    if (pclose(pipe) != 0)
        fail("'" + command + "' failed");
    return {out, secondsSince(start)};
}

// The program as a text file of the kind the driver reads.
void writeProgram(const bench::Workload& workload, const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary);
    for (std::size_t i = 0; i < workload.lines.size(); ++i)
        out << state::hex4(static_cast<long long>(i)) << '\t' << workload.lines[i] << "\r\n";
    if (!out.flush())
        fail("cannot write " + path.string());
}

void checkBatch(const bench::Workload& workload, const std::string& driver,
                const std::string& program) {
    const std::string out = runBatch(driver, program, workload.checkSteps).first;
    for (const auto& [index, value] : workload.expected)
        if (out.find("\n" + state::hex4(index) + "\t" + state::hex2(value) + " ") ==
            std::string::npos)
            fail(std::string(workload.name) + ": " +
                 batchCommand(driver, program, workload.checkSteps) + " does not show register " +
                 state::hex2(index) + " as " + state::hex2(value));
}

// Start-up is taken off by a run of no steps; each is the best of three.
double batchRate(const std::string& driver, const std::string& program, long long steps) {
    double startup = 1e9;
    double total = 1e9;
    for (int i = 0; i < 3; ++i) {
        startup = std::min(startup, runBatch(driver, program, 0).second);
        total = std::min(total, runBatch(driver, program, steps).second);
    }
    return static_cast<double>(steps) / (total - startup);
}

void printRate(std::string_view name, double rate, const std::string& how) {
    std::printf("%.*s: %.0f instructions/s (%s)\n", static_cast<int>(name.size()), name.data(),
                rate, how.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 1.0;
    const std::string driver = argc > 2 && argv[2][0] != '\0' ? argv[2] : MIRELSIM_BATCH_PATH;
    if (argc > 3) {
        const auto named = parts::modelNamed(argv[3]);
        if (!named)
            fail(std::string("unknown part '") + argv[3] + "'");
        model = *named;
    }
    const auto program = std::filesystem::temp_directory_path() / "mirelsim_core_workload.txt";

    for (const bench::Workload& workload : bench::workloads()) {
        checkLibrary(workload);
        writeProgram(workload, program);
        checkBatch(workload, driver, program.string());

        const double library = libraryRate(workload, seconds);
        char cycles[64];
        const std::string part =
            model == parts::Model::Teaching ? "" : std::string(parts::modelName(model)) + ", ";
        std::snprintf(cycles, sizeof cycles, "library, %s%.4f cycles an instruction", part.c_str(),
                      cyclesPerInstruction(workload));
        printRate(workload.name, library, cycles);
        // As many steps as the library ran in the time asked.
        const auto steps = static_cast<long long>(library * seconds);
        printRate(workload.name, batchRate(driver, program.string(), steps),
                  "mirelsim-batch --steps " + std::to_string(steps));
    }
    std::filesystem::remove(program);
    return 0;
}
