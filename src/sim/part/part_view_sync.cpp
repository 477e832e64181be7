#include "part_view_sync.h"

#include "state/hex_text.h"
#include "state/program_counter.h"
#include "state/register_file.h"
#include "state/w_register.h"

namespace mirel::sim::part {

namespace {

// A Step selects the line of the next instruction, which refills the entry
// line when the selection changes, or clears the selection without a click.
// The entry line shows what the last new selection gave it.
void showSelection(state::MainForm& form, const PartValueCore& core) {
    const int picked = core.picked();
    if (picked >= 0) {
        if (form.Code.selectedIndex() != picked)
            form.Code.select(picked);
        else
            state::Code_Click(form); // it was selected anew on the way
    }
    if (core.selected() < 0)
        form.Code.clearSelection();
}

} // namespace

void bringViewsUpToDate(state::MainForm& form, const PartValueCore& core, PartMachine& machine,
                        PortTail& ports) {
    state::RegisterValues& registers = form.registers;
    for (int i = 0; i < state::registerCount; ++i) {
        const int value = core.lineValue(i);
        if (value != registers.value(i) || (core.wellFormed(i) && !registers.wellFormed(i)))
            registers.write(i, value);
    }
    // Each store of W sets its text, and the bit captions follow it.
    if (core.wStored())
        state::setW(form, core.w());

    for (int i = 0; i < core.entriesTaken(); ++i)
        form.SPReg.removeAt(form.SPReg.count() - 1);
    for (int address : core.entriesPut())
        form.SPReg.append(state::hex4(address));

    showSelection(form, core);
    ports.show(core.shownPort(0), core.shownPort(1), core.shownPort(2), core.shownPort(3));
    machine.ranOnValues(core.partState(), core.woke());
}

} // namespace mirel::sim::part
