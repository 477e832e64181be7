// Any bytes as a hex file.
#include "files/hex_program_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    mirel::files::readHexProgram(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
