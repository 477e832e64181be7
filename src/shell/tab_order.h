#pragma once

class QWidget;

namespace mirel::shell {

// Tab walks the controls as the screen shows them: the program list, then the
// middle column from the entry line down to the port inputs (bit 7 to bit 0),
// then the return stack and the register file.
void orderTabs(QWidget& controls);

} // namespace mirel::shell
