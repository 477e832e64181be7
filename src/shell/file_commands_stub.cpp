#include "frm_main.h"

namespace mirel::shell {

void frmMain::mnuFileOpen_Click() {} // wired to the file commands
void frmMain::mnuFileSave_Click() {} // wired to the file commands

} // namespace mirel::shell
