#include "flags.h"

#include "register_file.h"

namespace mirel::state {

namespace {
// Each STATUS copy changes from its own value, so the other bits of the
// copies may differ; every copy's line is rewritten, changed or not.
template <typename Change> void changeStatusCopies(MainForm& form, Change change) {
    for (int index : statusCopies)
        writeRegister(form, index, change(readRegister(form, index)));
}
} // namespace

void ZFlagChange(MainForm& form, int ZFlag) {
    changeStatusCopies(form, [ZFlag](int v) {
        if (ZFlag == 0)
            return v | zMask;
        if (ZFlag == 1)
            return v & (0xFF & ~zMask);
        return v;
    });
}

void CFlagChange(MainForm& form, int CFlag) {
    changeStatusCopies(form, [CFlag](int v) {
        if (CFlag == 0)
            return v & (0xFF & ~cMask);
        if (CFlag == 1)
            return v | cMask;
        return v;
    });
}

bool zeroFlag(const MainForm& form) {
    return (readRegister(form, STATUS) & zMask) != 0;
}
bool carryFlag(const MainForm& form) {
    return (readRegister(form, STATUS) & cMask) != 0;
}

} // namespace mirel::state
