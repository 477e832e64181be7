#include "view_sync.h"

#include "state/hex_text.h"
#include "state/program_counter.h"
#include "state/register_file.h"
#include "state/w_register.h"

#include <string>

namespace mirel::sim {

void bringViewsUpToDate(state::MainForm& form, const ValueCore& core, PortTail& ports) {
    state::RegisterValues& registers = form.registers;
    for (int i = 0; i < state::registerCount; ++i) {
        if (core.value(i) != registers.value(i) || (core.wellFormed(i) && !registers.wellFormed(i)))
            registers.write(i, core.value(i));
    }
    if (core.wStored() && form.W.text() != state::hex2(core.w()))
        state::setW(form, core.w());

    for (int i = 0; i < core.entriesTaken(); ++i)
        form.SPReg.removeAt(form.SPReg.count() - 1);
    for (int entry : core.entriesPut())
        form.SPReg.append(std::to_string(entry));

    // A new selection refills the entry line by itself; the same one is
    // refilled as a step's click on it does.
    if (form.Code.selectedIndex() != core.selected())
        form.Code.select(core.selected());
    else
        state::Code_Click(form);

    ports.show(core.shownPort(0), core.shownPort(1), core.shownPort(2), core.shownPort(3));
}

} // namespace mirel::sim
