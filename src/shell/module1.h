#pragma once

namespace mirel::shell {

class frmMain;

// The start-up routine: creates the main window and shows it, modeless. The
// window deletes itself when closed, and the program ends with it.
frmMain* Module1();

} // namespace mirel::shell
