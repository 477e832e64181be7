#include "cycle.h"

#include "state/register_file.h"
#include "state/w_register.h"

namespace mirel::sim {

void storeRegister(Cycle& cycle, int index, int value) {
    if (index == state::INDF)
        cycle.indfWritten = true;
    state::writeRegister(cycle.form, index, value);
}

void storeRegisterLine(Cycle& cycle, int index, std::string line) {
    if (index == state::INDF)
        cycle.indfWritten = true;
    state::replaceRegisterLine(cycle.form, index, std::move(line));
}

void storeW(Cycle& cycle, int value) {
    state::setW(cycle.form, value);
}

} // namespace mirel::sim
