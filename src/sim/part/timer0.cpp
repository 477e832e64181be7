#include "timer0.h"

namespace mirel::sim::part {

void timerWritten(PartState& state) {
    state.timerHold = 2;
    state.prescaler = 0;
}

} // namespace mirel::sim::part
