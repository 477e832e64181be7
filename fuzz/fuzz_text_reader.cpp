// Any bytes as a text file.
#include "files/text_program_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    mirel::files::readTextProgram(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
