#pragma once

class QWidget;

namespace mirel::shell {

// Gives every control of the main window a tooltip that says what it does,
// with its key where it has one. The run buttons get theirs with their keys.
void giveControlsTips(QWidget& window);

} // namespace mirel::shell
