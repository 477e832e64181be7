#include "machine_reset.h"

#include "sim/part/program_image.h"

#include "state/program_counter.h"
#include "state/register_file.h"

namespace mirel::debug {

void resetMachine(state::MainForm& form) {
    for (std::size_t i = 0; i < 8; ++i) {
        form.RA[i].setPicture(state::LampModel::Dark);
        form.RB[i].setPicture(state::LampModel::Dark);
        form.InA[i].setVisible(false);
        form.InB[i].setVisible(false);
    }
    form.SPReg.clear();
    form.SPReg.append("SP");
    form.Reg.clear();
    state::fillRegisterFile(form);
    form.W.setText("00");
    // Selecting line 0 refills the entry line; when it is already selected
    // the click is made here.
    const int first = form.model == parts::Model::Teaching ? 0 : sim::part::powerOnLine(form.Code);
    if (first < 0)
        form.Code.clearSelection(); // a part starts at 0000, which no line carries
    if (!form.Code.empty() && first >= 0 && form.Code.selectedIndex() != first)
        form.Code.select(first);
    else
        state::Code_Click(form);
}

} // namespace mirel::debug
