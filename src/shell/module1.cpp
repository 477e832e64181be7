#include "module1.h"

#include "frm_main.h"

namespace mirel::shell {

frmMain* Module1() {
    auto* window = new frmMain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

} // namespace mirel::shell
