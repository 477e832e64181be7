#include "part_value_core.h"

#include "part_value_steps.h"

#include "state/port_controls.h"
#include "state/w_register.h"

#include <cstring>

namespace mirel::sim::part {

bool PartValueCore::load(const state::MainForm& form, PartMachine& machine) {
    if (form.Code.empty() || form.Reg.count() != state::registerCount || form.SPReg.empty())
        return false;
    state_ = machine.hiddenState(); // the power-on a first Step would make
    woke_ = machine.woke();
    map_ = &machine.map();
    words_ = machine.image().words();
    lineOf_ = machine.image().lines();
    addressMask_ = static_cast<int>(words_.size()) - 1;
    pc_ = machine.currentPc();
    std::memcpy(foundValues_.data(), form.registers.values().data(), state::registerCount);
    std::memcpy(foundWellFormed_.data(), form.registers.wellFormedFlags().data(),
                state::registerCount);
    for (std::size_t i = 0; i < cells_.size(); ++i)
        cells_[i] = foundValues_[i];
    w_ = state::WData(form) & 0xFF;
    wStored_ = false;
    selected_ = form.Code.selectedIndex();
    picked_ = -1;
    foundDepth_ = form.SPReg.count() - 1;
    taken_ = 0;
    put_.clear();
    tickedA_ = state::tickedInputs(form.InA);
    tickedB_ = state::tickedInputs(form.InB);
    shownPorts_ = {foundValues_[state::PORTA], foundValues_[state::PORTB],
                   foundValues_[state::TRISA], foundValues_[state::TRISB]};
    controls_ = state::readPortControls(form);
    return true;
}

bool PartValueCore::fixedHomeWatched() const {
    bool watched = wWatched_;
    for (int home : {reg::INDF, reg::TMR0, reg::PCL, reg::STATUS, reg::PORTA, reg::PORTB,
                     reg::INTCON, reg::OPTION})
        watched = watched || watched_.watched(home);
    return watched;
}

long long PartValueCore::run(long long count, const std::vector<char>* stops) {
    PartNoRecorder none;
    return run(count, stops, none);
}

} // namespace mirel::sim::part
