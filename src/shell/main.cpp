#include "frm_main.h"

#include "state/platform.h"

#include <QApplication>

namespace {

// The start-up routine: the main window, shown modeless. The program ends
// when it closes.
void Module1() {
    auto* window = new mirel::shell::frmMain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(mirel::state::applicationTitle));
    Module1();
    return QApplication::exec();
}
