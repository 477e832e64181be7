// mirelsim-batch: opens a program, steps it and prints the machine state,
// for grading and automated checks without a window.
#include "batch_options.h"
#include "batch_run.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto options = mirel::batch::parseBatchOptions(args, error);
    if (!options) {
        std::cerr << "mirelsim-batch: " << error << " (" << mirel::batch::batchUsage << ")\n";
        return 2;
    }
    return mirel::batch::runBatch(*options, std::cout, std::cerr);
}
