#include "ports.h"

namespace mirel::sim {

// The lamps and input pins come with the port work; until then the tail leaves them be.
void refreshPorts(state::MainForm& /*form*/) {}

} // namespace mirel::sim
