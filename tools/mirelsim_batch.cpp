// mirelsim-batch: opens a program, steps it and prints the machine state,
// for grading and automated checks without a window.
#include "batch_main.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return mirel::batch::batchMain({argv + 1, argv + argc}, std::cout, std::cerr);
}
