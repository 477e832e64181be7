#include "module1.h"

#include "frm_main.h"

#include <QApplication>

namespace mirel::shell {

frmMain* Module1() {
    QApplication::setApplicationName(QString::fromLatin1(state::applicationTitle));
    QApplication::setDesktopFileName(QStringLiteral("mirelsim"));
    auto* window = new frmMain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

} // namespace mirel::shell
