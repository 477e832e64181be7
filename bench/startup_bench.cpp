// Start-up to the first painted main window, as whole-process timings.
//
//   startup_bench [RUNS]      starts itself RUNS times (default 15) in child mode and
//                             prints each time and the median, in milliseconds
//
// A child starts the application as the program does (Module1) and reports
// the first paint of the main window on standard output. Children keep their
// settings in a temporary folder, so the user's placement is never touched.
#include "shell/module1.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr const char* childFlag = "--child";

class FirstPaint final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget &&
            widget->window()->objectName() == QLatin1String("frmMain")) {
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            std::_Exit(0);
        }
        return false;
    }
};

int child(int argc, char** argv) {
    QApplication app(argc, argv);
    FirstPaint watch;
    app.installEventFilter(&watch);
    mirel::shell::Module1();
    return QApplication::exec();
}

// Milliseconds from spawning a child to its report of the first paint; negative on failure.
double timeOneStart(const char* self) {
    int out[2];
    if (pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* args[] = {const_cast<char*>(self), const_cast<char*>(childFlag), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, self, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char line[16] = {};
    const ssize_t got = failed ? -1 : read(out[0], line, sizeof line - 1);
    const auto painted = std::chrono::steady_clock::now();
    close(out[0]);
    int status = 0;
    if (!failed)
        waitpid(pid, &status, 0);
    if (got <= 0 || std::string(line) != "painted\n")
        return -1;
    return std::chrono::duration<double, std::milli>(painted - start).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == childFlag)
        return child(argc, argv);

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const auto settings = std::filesystem::temp_directory_path() / "mirelsim-startup-bench";
    std::filesystem::create_directories(settings);
    setenv("XDG_CONFIG_HOME", settings.c_str(), 1);

    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = timeOneStart("/proc/self/exe");
        if (ms < 0) {
            std::fprintf(stderr, "start %d did not paint its window\n", i + 1);
            return 1;
        }
        times.push_back(ms);
        std::printf("start %2d: %7.1f ms\n", i + 1, ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("median of %d starts to the first paint: %.1f ms (min %.1f, max %.1f)\n", runs,
                times[times.size() / 2], times.front(), times.back());
    std::filesystem::remove_all(settings);
    return 0;
}
