#include "module1.h"
#include "state/platform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(mirel::state::applicationTitle));
    QApplication::setDesktopFileName(QStringLiteral("mirelsim"));
    mirel::shell::Module1();
    return QApplication::exec();
}
