// Whole-loop probe: how many instructions a second the core executes on a
// counting loop, through the library and through mirelsim-batch --steps.
//
//   core_rate [SECONDS, default 3] [PATH of mirelsim-batch] [PART: 16F84A, 16F628A, 16F877A]
//
// With a PART the machine follows that part's rules instead of the teaching model's.
#include "parts/model.h"
#include "program_fixture.h"
#include "sim/simulator.h"
#include "workloads.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

// Every heap allocation of the process is counted: a step of a program that
// shows no message should make none.
namespace {
std::atomic<long long> allocations{0};
}

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using namespace mirel;
using Clock = std::chrono::steady_clock;

const std::vector<std::string>& loop = bench::countingLoop();

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double libraryRate(double seconds, parts::Model model) {
    state::MainForm form;
    form.chosenModel = model;
    bench::loadProgram(form, loop);
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    constexpr long long batch = 1'000'000;
    // The first steps decode the lines; after them a step allocates nothing.
    for (int i = 0; i < 100; ++i)
        simulator.Step_Click();
    const long long allocatedBefore = allocations;
    long long steps = 0;
    const auto start = Clock::now();
    double elapsed = 0;
    do {
        for (long long done = 0; done < batch;)
            done += simulator.run(batch - done);
        steps += batch;
        elapsed = secondsSince(start);
    } while (elapsed < seconds);
    std::printf("heap allocations in %lld steps: %lld\n", steps, allocations - allocatedBefore);
    return static_cast<double>(steps) / elapsed;
}

double runBatch(const std::string& driver, const std::string& program, long long steps,
                parts::Model model) {
    const std::string part = model == parts::Model::Teaching
                                 ? std::string()
                                 : " --device " + std::string(parts::modelName(model));
    const std::string command = "'" + driver + "'" + part + " --steps " + std::to_string(steps) +
                                " '" + program + "' > /dev/null";
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "core_rate: '%s' failed\n", command.c_str());
        std::exit(1);
    }
    return secondsSince(start);
}

void printRate(double rate, const std::string& how) {
    std::printf("core rate: %.0f instructions/s (%s)\n", rate, how.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    // An empty path takes the driver built beside this probe.
    const std::string driver = argc > 2 && argv[2][0] != '\0' ? argv[2] : MIRELSIM_BATCH_PATH;
    const auto model = argc > 3 ? parts::modelNamed(argv[3]) : parts::Model::Teaching;
    if (!model) {
        std::fprintf(stderr, "core_rate: unknown part '%s'\n", argv[3]);
        return 2;
    }

    const double library = libraryRate(seconds, *model);
    printRate(library, "library, " + std::string(parts::modelName(*model)));

    const auto program = std::filesystem::temp_directory_path() / "mirelsim_core_rate.txt";
    {
        std::ofstream out(program, std::ios::binary);
        for (std::size_t i = 0; i < loop.size(); ++i)
            out << "000" << i << '\t' << loop[i] << "\r\n";
    }
    // As many steps as the library ran in the time asked; the start-up of the
    // process is taken off by a run of no steps.
    const auto steps = static_cast<long long>(library * seconds);
    const double startup = runBatch(driver, program.string(), 0, *model);
    const double total = runBatch(driver, program.string(), steps, *model);
    std::filesystem::remove(program);
    printRate(static_cast<double>(steps) / (total - startup),
              "mirelsim-batch --steps " + std::to_string(steps));
    return 0;
}
