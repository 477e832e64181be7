#include "window_fixture.h"

#include "program_fixture.h"

#include <QPushButton>
#include <QTest>

namespace mirel::bench {

LongProgramWindow::LongProgramWindow() : window_(std::make_unique<shell::frmMain>()) {
    // Large enough to show every control, as a user running a program would have it.
    window_->resize(1000, 800);
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get()))
        qFatal("window not exposed");
    loadProgram(form(), repeated("INC\t20", lines));
}

void LongProgramWindow::click(const char* button) {
    if (auto* b = window_->findChild<QPushButton*>(QLatin1String(button)))
        b->click();
}

void preferOffscreen() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace mirel::bench
