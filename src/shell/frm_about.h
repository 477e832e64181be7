#pragma once

#include "state/platform.h"
#include "system_tools.h"

#include <QDialog>

namespace mirel::shell {

// The About dialog: the program's name and version, and a button that starts
// the system-information tool. It unloads itself when closed.
class frmAbout final : public QDialog {
    Q_OBJECT
public:
    frmAbout(SystemTools& system, state::MessageBoxService& messages, QWidget* parent);

    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    SystemTools& system_;
    state::MessageBoxService& messages_;
};

} // namespace mirel::shell
