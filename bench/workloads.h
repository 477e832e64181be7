#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mirel::bench {

// A register and the value it must hold.
struct ExpectedRegister {
    int index;
    int value;
};

// An endless program as a learner would write it: it starts over with a JMP
// to line 0, so a run of N steps is well defined whatever N is. After
// `checkSteps` steps from New (the end of the first round, or a few turns of
// the counting loop) the registers in `expected` hold known values.
struct Workload {
    std::string_view name;
    std::vector<std::string> lines;
    long long checkSteps;
    std::vector<ExpectedRegister> expected;
};

// Counts register 20 up while register 21 counts down to zero, then starts over.
const std::vector<std::string>& countingLoop();

// Multiply, divide, BCD, GCD, Fibonacci, bit counting and the counting loop.
// bench/reference holds the same programs in the usual assembler's syntax.
const std::vector<Workload>& workloads();

} // namespace mirel::bench
