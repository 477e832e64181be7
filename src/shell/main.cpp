#include "module1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    mirel::shell::Module1();
    return QApplication::exec();
}
