#include "window_load.h"

#include "register_file.h"

namespace mirel::state {

void Form_Load(MainForm& form, WindowPlacement& placement) {
    placement.restorePlacement();
    for (std::size_t i = 0; i < 8; ++i) {
        form.RA[i].setPicture(LampModel::Dark);
        form.RB[i].setPicture(LampModel::Dark);
    }
    for (int i = 7; i >= 0; --i)
        form.InA[static_cast<std::size_t>(i)].setVisible(false);
    for (int i = 7; i >= 0; --i)
        form.InB[static_cast<std::size_t>(i)].setVisible(false);
    form.SPReg.clear();
    form.SPReg.append("SP");
    form.Fast.setVisible(false);
    form.Fast.setEnabled(false);
    form.Slow.setVisible(false);
    form.Slow.setEnabled(false);
    form.StopKey.setVisible(false);
    form.StopKey.setEnabled(false);
    form.StartKey.setEnabled(false);
    form.StartKey.setVisible(true);
    form.Step.setEnabled(false);
    form.Mirel.setEnabled(false);
    form.Timer1.setEnabled(false);
}

void NewProgram(MainForm& form, WindowPlacement& placement) {
    Form_Load(form, placement);
    // First, so that whoever hears of the new program finds the new rules.
    takeChosenModel(form);
    form.Code.clear();
    form.Reg.clear();
    form.Counter.clear();
    fillRegisterFile(form);
    form.Code.append("0000\t");
    form.Counter.fillFrom(0);
    form.Counter.selectFirstEntry();
    form.Counter.caretToEnd();
    untickInputs(form);
    enableProgramButtons(form);
}

void untickInputs(MainForm& form) {
    for (std::size_t i = 0; i < 8; ++i) {
        form.InA[i].setValue(0);
        form.InB[i].setValue(0);
    }
}

void enableProgramButtons(MainForm& form) {
    form.StartKey.setEnabled(true);
    form.StartKey.setVisible(true);
    form.Step.setEnabled(true);
    form.Mirel.setEnabled(true);
}

} // namespace mirel::state
