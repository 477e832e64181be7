#include "timer0.h"

namespace mirel::sim::device {

void timerWritten(DeviceState& state) {
    state.timerHold = 2;
    state.prescaler = 0;
}

} // namespace mirel::sim::device
