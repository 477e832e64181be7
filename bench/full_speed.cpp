// Whole-process probe: how many instructions a second a run at full speed
// executes with the window shown, through the real event loop.
//
//   full_speed [SECONDS, default 3] [PART: 16F84A, 16F628A, 16F877A, or -] [WATCHES]
//
// With a PART the machine follows that part's rules instead of the teaching model's.
// WATCHES (up to 8) watch the two registers the program counts in and those
// after them, each for a value no byte has: compared after every step, never met.
#include "parts/model.h"
#include "program_fixture.h"
#include "window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string_view>

int main(int argc, char** argv) {
    using namespace mirel;
    bench::preferOffscreen();
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    const bool teaching = argc <= 2 || std::string_view(argv[2]) == "-";
    const auto model = teaching ? parts::Model::Teaching : parts::modelNamed(argv[2]);
    const int watches = argc > 3 ? std::atoi(argv[3]) : 0;
    if (!model) {
        std::fprintf(stderr, "full_speed: unknown part '%s'\n", argv[2]);
        return 2;
    }

    bench::LongProgramWindow w;
    w.form().chosenModel = *model;
    // A counting loop: a register counts up, a jump goes round again.
    bench::loadProgram(w.form(), {"INC\t20", "INC\t21", "JMP\t0000"});
    for (int i = 0; i < watches && i < 8; ++i)
        w.window().debugger().watches().add(
            {0x20 + i, -1, debug::WatchCondition::Equals, 0x100, "watched"});

    QElapsedTimer clock;
    clock.start();
    w.window().findChild<QAction*>(QStringLiteral("mnuDebugFullSpeed"))->trigger();
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    w.click("StopKey");
    const double span = static_cast<double>(clock.nsecsElapsed()) / 1e9;

    const auto done = static_cast<double>(w.window().debugger().count().instructions);
    std::printf("full speed: %.0f instructions/s\n", done / span);
    return 0;
}
