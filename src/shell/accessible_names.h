#pragma once

class QWidget;

namespace mirel::shell {

// Gives every control of the main window the name of its role, for screen
// readers: "Program memory", "W register", "Port A pin 3 input", ...
void nameControlsForAccessibility(QWidget& window);

} // namespace mirel::shell
