// Whole-process probe: a class of 200 submissions graded by one call of
// mirelsim-batch --check against an exercise of 10 checks and a step limit
// of 1,000,000, where every kind of submission a class hands in is present:
// right, wrong, never waiting (runs to the limit), jumping past the end (a
// message every step), calling itself for ever, and no program at all.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* exercise = "title: A table through FSR and INDF\n"
                                 "steps: 1000000\n"
                                 "until: halted\n"
                                 "check: 30 = 01 | m\ncheck: 31 = 02 | m\ncheck: 32 = 03 | m\n"
                                 "check: 33 = 04 | m\ncheck: 34 = 05 | m\ncheck: 35 = 06 | m\n"
                                 "check: 36 = 07 | m\ncheck: 37 = 08 | m\ncheck: halted | m\n";

// The table's loop with the count in `counter`: the right answer.
std::string table(int counter, const char* last) {
    char c[3];
    std::snprintf(c, sizeof c, "%02X", counter);
    return std::string("0000\tLDA\t30 H\n0001\tSTA\t04\n0002\tLDA\t08 H\n0003\tSTA\t") + c +
           "\n0004\tCLR\t21\n0005\tINC\t21\n0006\tLDA\t21 W\n0007\tSTA\t00\n0008\tINC\t04\n"
           "0009\tDEZ\t" +
           c + "\n000A\tJMP\t0005\n" + last;
}

struct Class {
    fs::path dir;
    std::string command;
    ~Class() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
};

const Class& theClass() {
    static const Class made = [] {
        Class c;
        c.dir = fs::temp_directory_path() / ("mirelsim-grading-" + std::to_string(::getpid()));
        fs::create_directories(c.dir);
        std::ofstream(c.dir / "table.mrx") << exercise;
        c.command = std::string(MIRELSIM_BATCH_PATH) + " --check " + (c.dir / "table.mrx").string();
        for (int i = 0; i < 200; ++i) {
            std::string program;
            switch (i % 10) {
            case 0:
            case 1:
            case 2:
            case 3:
                program = table(0x22 + i % 8, "000B\tJMP\t000B\n");
                break;
            case 4: // one entry short
                program = table(0x20, "000B\tJMP\t000B\n");
                program.replace(program.find("08 H"), 4, "07 H");
                break;
            case 5: // never waits: round and round to the step limit
                program = table(0x20, "000B\tJMP\t0000\n");
                break;
            case 6: // jumps past its end: a message on every step
                program = table(0x20, "000B\tJMP\t0040\n");
                break;
            case 7: // calls itself for ever
                program = table(0x20, "000B\tJSR\t000B\n");
                break;
            case 8: // a mistyped mnemonic
                program = table(0x20, "000B\tJMP\t000B\n");
                program.replace(program.find("CLR"), 3, "CLA");
                break;
            default: // another assembler's source
                program = "\tMOVLW\t0x30\n\tMOVWF\tFSR\n";
                break;
            }
            const fs::path file = c.dir / ("learner" + std::to_string(i) + ".txt");
            std::ofstream(file) << program;
            c.command += ' ' + file.string();
        }
        c.command += " > /dev/null";
        return c;
    }();
    return made;
}

void BM_GradeClassOf200(benchmark::State& state) {
    const Class& c = theClass();
    for (auto _ : state)
        if (std::system(c.command.c_str()) == -1) // status 1: some did not pass
            state.SkipWithError("mirelsim-batch did not run");
}
BENCHMARK(BM_GradeClassOf200)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

BENCHMARK_MAIN();
