#include "debug/random_program.h"
#include "files/open_program.h"
#include "shell/examples_folder.h"
#include "shell/frm_main.h"
#include "shell/lamp_view.h"
#include "sim/simulator.h"
#include "state/hex_text.h"
#include "test_services.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolBar>
#include <QtTest>

#include <algorithm>
#include <map>
#include <random>

using mirel::shell::frmMain;

namespace {

// A shown main window with a program opened in it; none when it is empty.
struct Window {
    test::Services services;
    frmMain window{services.services()};

    explicit Window(const std::vector<std::string>& program) {
        std::vector<std::string> lines = test::numbered(program);
        mirel::state::NoWindowPlacement placement;
        if (!lines.empty())
            mirel::files::loadProgram(window.form(), placement, std::move(lines));
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("window not exposed");
        window.activateWindow();
    }
    mirel::state::MainForm& form() { return window.form(); }
    QString counts() { return window.findChild<QLabel*>(QStringLiteral("DebugCounts"))->text(); }
    QAction* action(const char* name) { return window.findChild<QAction*>(QLatin1String(name)); }
    void click(const char* button) {
        QTest::mouseClick(window.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
    }
    QLineEdit* entryLine() {
        return window.findChild<QComboBox*>(QStringLiteral("Counter"))->lineEdit();
    }
    // What a user sees of the run: its kind, the speed label, the selected line.
    QString runState() {
        const QString kind = !form().Timer1.enabled() ? QStringLiteral("stopped")
                             : window.findChild<QPushButton*>(QStringLiteral("Fast"))->isHidden()
                                 ? QStringLiteral("full")
                                 : QStringLiteral("timed");
        return kind + QLatin1Char(' ') + QString::fromStdString(form().Label5.text()) +
               QLatin1Char(' ') + QString::number(form().Code.selectedIndex());
    }
    bool viewsShown() {
        return window.findChild<QListView*>(QStringLiteral("Reg"))->isVisible() &&
               window.findChild<QListView*>(QStringLiteral("Code"))->isVisible();
    }
};

// Everything the window's views show of the machine: every line of the
// lists, the program list's highlight, the entry line with its entries, W,
// its bits, the explanation of the next step, the port lamps, the input
// boxes and the counts.
QStringList shownState(frmMain& window) {
    QApplication::processEvents();
    QStringList shown;
    for (const char* name : {"Reg", "Code", "SPReg"}) {
        auto* view = window.findChild<QListView*>(QLatin1String(name));
        QAbstractItemModel* model = view->model();
        shown << QStringLiteral("%1: %2 rows").arg(QLatin1String(name)).arg(model->rowCount());
        for (const QModelIndex& row : view->selectionModel()->selectedIndexes())
            shown << QStringLiteral("selected %1").arg(row.row());
        for (int row = 0; row < model->rowCount(); ++row)
            shown << model->index(row, 0).data().toString();
    }
    // The program list's highlight is the line the next Step runs.
    shown << QStringLiteral("Code current %1")
                 .arg(window.findChild<QListView*>(QStringLiteral("Code"))->currentIndex().row());
    auto* counter = window.findChild<QComboBox*>(QStringLiteral("Counter"));
    shown << QStringLiteral("Counter: %1 entries, current %2, caret %3: ")
                     .arg(counter->count())
                     .arg(counter->currentIndex())
                     .arg(counter->lineEdit()->cursorPosition()) +
                 counter->lineEdit()->text();
    for (int entry = 0; entry < counter->count(); ++entry)
        shown << counter->itemText(entry);
    shown << QStringLiteral("W: ") + window.findChild<QLineEdit*>(QStringLiteral("W"))->text();
    for (int bit = 0; bit < 8; ++bit)
        shown << window.findChild<QLabel*>(QStringLiteral("RW(%1)").arg(bit))->text();
    shown << window.findChild<QLabel*>(QStringLiteral("NextStep"))->text();
    for (const QLatin1String port : {QLatin1String("A"), QLatin1String("B")}) {
        QString lamps = QStringLiteral("R%1 lit:").arg(port);
        QString inputs = QStringLiteral("In%1 ticked, enabled, hidden:").arg(port);
        for (int pin = 7; pin >= 0; --pin) {
            const auto* lamp = window.findChild<mirel::shell::LampView*>(
                QStringLiteral("R%1(%2)").arg(port).arg(pin));
            lamps += lamp->isLit() ? QStringLiteral(" 1") : QStringLiteral(" 0");
            const auto* box =
                window.findChild<QCheckBox*>(QStringLiteral("In%1(%2)").arg(port).arg(pin));
            inputs += QStringLiteral(" %1%2%3")
                          .arg(int(box->isChecked()))
                          .arg(int(box->isEnabled()))
                          .arg(int(box->isHidden()));
        }
        shown << lamps << inputs;
    }
    shown << window.findChild<QLabel*>(QStringLiteral("DebugCounts"))->text();
    return shown;
}

// The register list's lines before a run and what its view is told during
// it: a line that changed must have been told, as the view repaints only
// what it is told of.
class RegisterRepaints {
public:
    explicit RegisterRepaints(frmMain& window)
        : reg_(window.findChild<QListView*>(QStringLiteral("Reg"))->model()), before_(lines()),
          told_(reg_, &QAbstractItemModel::dataChanged) {}

    // Empty when every changed line was told.
    QString untold() const {
        const QStringList after = lines();
        if (after.size() != before_.size())
            return QStringLiteral("%1 register lines, %2 before")
                .arg(after.size())
                .arg(before_.size());
        for (int row = 0; row < after.size(); ++row) {
            if (after[row] == before_[row])
                continue;
            bool covered = false;
            for (const QList<QVariant>& signal : told_)
                covered = covered || (signal[0].toModelIndex().row() <= row &&
                                      row <= signal[1].toModelIndex().row());
            if (!covered)
                return QStringLiteral("register line %1 not repainted").arg(row);
        }
        return {};
    }

private:
    QStringList lines() const {
        QStringList lines;
        for (int row = 0; row < reg_->rowCount(); ++row)
            lines << reg_->index(row, 0).data().toString();
        return lines;
    }

    QAbstractItemModel* reg_;
    QStringList before_;
    QSignalSpy told_;
};

// A random program that first points FSR at a register (often in another
// bank) and writes through INDF, sets the port directions through bank 1 and
// puts values out on the ports, writes through banks 2 and 3; then random
// lines of every family, jumping and calling among themselves, run a few
// times over by a counted loop; then a call that returns with a value, and
// all again from the start.
std::vector<std::string> randomWindowProgram(std::mt19937& rng) {
    using mirel::state::hex4;
    auto number = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    auto literal = [&] { return mirel::state::hex2(number(256)) + " H"; };
    std::vector<std::string> program;
    if (number(3) > 0) {
        const char* targets[] = {"20", "21", "23", "7F", "A0", "05", "06", "85", "86"};
        program.insert(program.end(), {"LDA\t" + std::string(targets[number(9)]) + " H", "STA\t04",
                                       "LDA\t" + literal(), "STA\t00"});
    }
    if (number(3) > 0)
        program.insert(program.end(),
                       {"SET\t03,5", "LDA\t" + literal(), "STA\t05", "LDA\t" + literal(), "STA\t06",
                        "RES\t03,5", "LDA\t" + literal(), number(2) ? "STA\t05" : "STA\t06"});
    if (number(2) > 0)
        program.insert(program.end(), {"SET\t03,6", "INC\t20", "SET\t03,5", "ADD\t21 W", "STA\t22",
                                       "RES\t03,5", "RES\t03,6"});
    program.insert(program.end(), {"LDA\t0" + std::to_string(2 + number(4)) + " H", "STA\t2F"});
    // Most programs jump and call forward only, so that the loops that end
    // are the ones that come round; the others may loop for good.
    const bool forward = number(3) > 0;
    const auto body = static_cast<long long>(program.size());
    const int length = 12 + number(20);
    std::vector<std::string> lines = mirel::testing::randomProgram(rng, length);
    for (int i = 0; i < length; ++i) {
        std::string& line = lines[static_cast<std::size_t>(i)];
        if (line.starts_with("JMP\t") || line.starts_with("JSR\t")) {
            int to = std::stoi(line.substr(4), nullptr, 16);
            if (forward && to <= i)
                to = i + 1 + to % (length - i);
            line = line.substr(0, 4) + hex4(body + to);
        }
        // OPTION is no instruction here: the cycle stops at it for good.
        program.push_back(line == "OPTION" ? "WDT" : std::move(line));
    }
    const auto sub = static_cast<long long>(program.size()) + 4;
    program.insert(program.end(),
                   {"DEZ\t2F", "JMP\t" + hex4(body), "JSR\t" + hex4(sub), "JMP\t0000", "RLA\t23 W",
                    "INZ\t2E", "RET\t" + literal(), "RTS"});
    return program;
}

// Input boxes clicked while the machine stands, as (Steps made before, port
// B?, pin). A box of an output pin is disabled, and a click does nothing.
using Clicks = std::multimap<int, std::pair<bool, int>>;

// The line selected after each of the first `steps` Steps of a program
// (index 0 before the first), stepped on the core alone.
std::vector<int> linesStepped(const std::vector<std::string>& program, const Clicks& clicks,
                              int steps) {
    mirel::state::MainForm form;
    test::RecordedMessages messages;
    mirel::sim::Simulator simulator{form, messages};
    mirel::state::NoWindowPlacement placement;
    mirel::files::loadProgram(form, placement, test::numbered(program));
    form.Code.select(0);
    std::vector<int> selected{0};
    for (int step = 0;; ++step) {
        for (auto [at, click] = clicks.equal_range(step); at != click; ++at) {
            auto& box = (at->second.first ? form.InB
                                          : form.InA)[static_cast<std::size_t>(at->second.second)];
            if (box.enabled())
                box.setValue(box.value() != 0 ? 0 : 1);
        }
        if (step == steps)
            return selected;
        simulator.Step_Click();
        selected.push_back(form.Code.selectedIndex());
    }
}

// Where runs of a program stop, one after another, and the boxes clicked
// before the first and between them. Before each run the breakpoint moves
// to another line the program visits later, either the one whose next visit
// comes last (the longest run there is) or any of them. A run stops at the
// first visit.
struct Stop {
    int line;
    int step; // how many Steps lead there from the start
};
std::pair<std::vector<Stop>, Clicks> plannedRuns(const std::vector<std::string>& program,
                                                 std::mt19937& rng) {
    auto number = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const auto click = [&] { return std::pair<bool, int>{number(2) == 1, number(8)}; };
    constexpr std::size_t runs = 4;
    const int steps = 200 + number(500);
    Clicks clicks;
    for (int n = number(4) == 0 ? 0 : number(3) + 1; n > 0; --n)
        clicks.emplace(0, click());
    std::vector<Stop> stops;
    for (int from = 0; stops.size() < runs && from < steps; from = stops.back().step) {
        // Clicks change where the program goes from there on.
        const std::vector<int> selected = linesStepped(program, clicks, steps);
        std::map<int, int> next; // line -> its first visit after `from`
        for (int step = steps; step > from; --step)
            next[selected[static_cast<std::size_t>(step)]] = step;
        if (next.size() > 1)
            next.erase(selected[static_cast<std::size_t>(from)]);
        auto stop = std::next(next.begin(), number(static_cast<int>(next.size())));
        if (number(2) == 0)
            stop = std::max_element(next.begin(), next.end(), [](const auto& a, const auto& b) {
                return a.second < b.second;
            });
        stops.push_back({stop->first, stop->second});
        if (number(3) == 0)
            clicks.emplace(stop->second, click());
    }
    return {stops, clicks};
}

// Where two lists of shown texts first differ.
QString firstDifference(const QStringList& shown, const QStringList& expected) {
    for (qsizetype row = 0; row < std::min(shown.size(), expected.size()); ++row)
        if (shown[row] != expected[row])
            return QStringLiteral("row %1: \"%2\", stepped \"%3\"")
                .arg(row)
                .arg(shown[row], expected[row]);
    return QStringLiteral("%1 rows, stepped %2").arg(shown.size()).arg(expected.size());
}

} // namespace

class DebuggerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void debugCommandsByKeyAndToolbar() {
        Window w({"INC\t20", "INC\t20", "NOP", "NOP"});
        auto& marks = w.window.debugger().breakpoints();
        const auto* bar = w.window.findChild<QToolBar*>(QStringLiteral("tbDebug"));
        QCOMPARE(bar->actions().size(), 4);
        QVERIFY(!w.action("mnuDebugStepBack")->isEnabled());

        w.form().Code.select(2);
        QTest::keyClick(&w.window, Qt::Key_F9);
        QCOMPARE(marks.lines(), std::vector<int>{2});
        w.form().Code.select(0);
        w.click("Step");
        w.click("Step");
        QCOMPARE(w.counts(),
                 QString::fromUtf8("Instructions: 2    Cycles: 2    Time at 4 MHz: 2 \xC2\xB5s"));
        QVERIFY(w.window.debugger().registerChanged(0x20));
        QVERIFY(!w.window.debugger().registerChanged(0x21));

        QTest::keyClick(&w.window, Qt::Key_F7);
        QCOMPARE(w.form().Reg.line(0x20), std::string("0020\t01   00000001"));
        QCOMPARE(w.form().Code.selectedIndex(), 1);
        QVERIFY(w.counts().startsWith(QStringLiteral("Instructions: 1 ")));

        w.click("Step");
        QTest::keyClick(&w.window, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(w.form().Reg.line(0x20), std::string("0020\t00   00000000"));
        QCOMPARE(w.form().Code.selectedIndex(), 0);
        QVERIFY(w.counts().startsWith(QStringLiteral("Instructions: 0 ")));
        QCOMPARE(marks.lines(), std::vector<int>{2});
        QVERIFY(!w.action("mnuDebugStepBack")->isEnabled());
    }

    // A list narrower than its lines cuts none of them: each row is as wide as
    // its whole text (breakpoint margin included), the list scrolls to its far
    // end, and the tooltip holds the whole line (a register's with its name).
    void longLinesScrollIntoViewWhole_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("tip");
        QTest::newRow("program line, long operand")
            << QStringLiteral("Code") << 1 << QStringLiteral("0001     MOV     000BH,0EH,LONG");
        QTest::newRow("program line, short")
            << QStringLiteral("Code") << 0 << QStringLiteral("0000     NOP");
        QTest::newRow("register line, with the register's name")
            << QStringLiteral("Reg") << 0x0B
            << QStringLiteral("000B     00   00000000\nINTCON\nBits 7 to 0: GIE PEIE T0IE INTE "
                              "RBIE T0IF INTF RBIF\nThere are no interrupts here: nothing sets "
                              "or reads these bits.");
    }
    void longLinesScrollIntoViewWhole() {
        QFETCH(QString, list);
        QFETCH(int, row);
        QFETCH(QString, tip);
        Window w({"NOP", "MOV\t000BH,0EH,LONG", "NOP"});
        auto* view = w.window.findChild<QListView*>(list);
        view->resize(70, view->height());
        QApplication::processEvents();

        const QModelIndex index = view->model()->index(row, 0);
        QStyleOptionViewItem option;
        option.initFrom(view);
        const int whole = view->itemDelegate()->sizeHint(option, index).width();
        QVERIFY2(
            view->visualRect(index).width() >= whole,
            qPrintable(QStringLiteral("%1 < %2").arg(view->visualRect(index).width()).arg(whole)));
        QScrollBar* bar = view->horizontalScrollBar();
        QVERIFY(bar->isVisible());
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        QVERIFY(view->visualRect(index).right() <= view->viewport()->width());
        QCOMPARE(index.data(Qt::ToolTipRole).toString(), tip);
    }

    void runStopsAtBreakpointAsStopDoes() {
        Window w({"NOP", "NOP", "NOP", "INC\t20", "NOP", "NOP", "NOP"});
        w.window.debugger().breakpoints().toggle(5);
        w.form().Label5.setText("1");
        w.click("StartKey");
        for (int i = 0; i < 50 && w.form().Timer1.enabled(); ++i)
            w.window.runTimer().tick();
        QVERIFY(!w.form().Timer1.enabled());
        QCOMPARE(w.form().Code.selectedIndex(), 5);
        QVERIFY(w.window.findChild<QPushButton*>(QStringLiteral("StartKey"))->isVisible());
        QVERIFY(w.viewsShown());
        QVERIFY(w.counts().startsWith(QStringLiteral("Instructions: 5 ")));
        QVERIFY(w.window.debugger().registerChanged(0x20));
    }

    void fullSpeedRunsUntilStop() {
        Window w({"INC\t20", "JMP\t0000"});
        QTest::keyClick(&w.window, Qt::Key_F5);
        QVERIFY(w.form().Timer1.enabled());
        QTest::qWait(200);
        QVERIFY(!w.viewsShown());
        w.click("StopKey");
        QVERIFY(!w.form().Timer1.enabled());
        const long long done = w.window.debugger().count().instructions;
        QVERIFY2(done > 1000, qPrintable(QString::number(done)));
        QTest::qWait(50);
        QCOMPARE(w.window.debugger().count().instructions, done);
        QVERIFY(w.viewsShown());
        QVERIFY(w.counts().startsWith(QStringLiteral("Instructions: %1 ").arg(done)));
    }

    // A fast run hides the views, which then stop hearing every step; once
    // it stops they show exactly what a window stepped to the same place by
    // Step shows, and the register list was told of every line that changed.
    void viewsHiddenByAFastRunShowTheMachineAsStepDoesOnceItStops() {
        const std::vector<std::string> program = {"LDA\tC0 H", "STA\t21",  "INC\t20", "ADD\t20 W",
                                                  "STA\t23",   "RLA\t06",  "INZ\t21", "JMP\t0002",
                                                  "NOP",       "JMP\t0000"};
        constexpr int breakLine = 8;
        const struct {
            const char* run;
            std::function<void(Window&)> start;
        } runs[] = {
            {"full speed", [](Window& w) { QTest::keyClick(&w.window, Qt::Key_F5); }},
            {"timed at 1 ms",
             [](Window& w) {
                 w.form().Label5.setText("1");
                 w.click("StartKey");
             }},
        };
        for (const auto& run : runs) {
            Window ran(program);
            ran.window.debugger().breakpoints().toggle(breakLine);
            ran.form().Code.select(0);
            RegisterRepaints repaints(ran.window);
            run.start(ran);
            bool hidden = !ran.viewsShown();
            for (int i = 0; i < 100000 && ran.form().Timer1.enabled(); ++i) {
                ran.window.runTimer().tick();
                hidden = hidden || !ran.viewsShown();
                QTest::qWait(1);
            }
            QVERIFY2(!ran.form().Timer1.enabled(), run.run);
            QVERIFY2(hidden, run.run);
            QCOMPARE(ran.form().Code.selectedIndex(), breakLine);

            Window stepped(program);
            stepped.form().Code.select(0);
            const long long steps = ran.window.debugger().count().instructions;
            while (stepped.window.debugger().count().instructions < steps)
                stepped.click("Step");
            QCOMPARE(shownState(ran.window), shownState(stepped.window));

            const QString untold = repaints.untold();
            QVERIFY2(untold.isEmpty(),
                     qPrintable(QLatin1String(run.run) + QStringLiteral(": ") + untold));
        }
    }

    // The same for random programs over every instruction family, with input
    // boxes clicked before the first run or between runs. Each program runs
    // to a breakpoint a few times over, the runs going at full speed and at
    // 1 ms by turns (both hide the views), while a second window is stepped
    // by Step to the same place with its views shown. At each stop every
    // text of the two windows agrees, so do the message boxes they showed,
    // and every register line the run changed was repainted.
    void randomProgramsShowTheSameWhetherTheViewsWereHiddenOrShown() {
        constexpr int programs = 24;
        std::mt19937 rng(17);
        int fullRuns = 0, timedRuns = 0;
        long long steps = 0;
        for (int p = 0; p < programs; ++p) {
            const std::vector<std::string> program = randomWindowProgram(rng);
            // Named, not bound: a lambda below reads the clicks.
            const auto planned = plannedRuns(program, rng);
            const std::vector<Stop>& stops = planned.first;
            const Clicks& clicks = planned.second;
            Window ran(program), stepped(program);
            const auto clickBoxes = [&](int step) {
                for (auto [at, end] = clicks.equal_range(step); at != end; ++at)
                    for (Window* w : {&ran, &stepped})
                        w->window
                            .findChild<QCheckBox*>(
                                QStringLiteral("In%1(%2)")
                                    .arg(QLatin1Char(at->second.first ? 'B' : 'A'))
                                    .arg(at->second.second))
                            ->click();
            };
            ran.form().Code.select(0);
            stepped.form().Code.select(0);
            clickBoxes(0);
            ran.form().Label5.setText("1");
            auto& marks = ran.window.debugger().breakpoints();
            int from = 0;
            bool fullSpeed = p % 2 == 0;
            for (const Stop& stop : stops) {
                const QString where =
                    QStringLiteral("program %1, %2 to line %3 after %4 Steps")
                        .arg(p)
                        .arg(fullSpeed ? QStringLiteral("full speed") : QStringLiteral("1 ms"))
                        .arg(stop.line)
                        .arg(stop.step);
                for (int line : marks.lines())
                    marks.set(line, false);
                marks.set(stop.line, true);
                const RegisterRepaints repaints(ran.window);
                if (fullSpeed)
                    ran.action("mnuDebugFullSpeed")->trigger();
                else
                    ran.click("StartKey");
                // Each tick makes at least one step, so the Steps to go bound
                // the ticks whatever the clock says.
                bool hidden = !ran.viewsShown();
                for (int tick = from; tick < stop.step + 2 && ran.form().Timer1.enabled(); ++tick) {
                    ran.window.runTimer().tick();
                    hidden = hidden || !ran.viewsShown();
                }
                if (ran.form().Timer1.enabled())
                    ran.click("StopKey");
                QVERIFY2(hidden || (!fullSpeed && stop.step - from == 1), qPrintable(where));
                (fullSpeed ? fullRuns : timedRuns) += 1;
                fullSpeed = !fullSpeed;

                for (; from < stop.step; ++from)
                    stepped.window.findChild<QPushButton*>(QStringLiteral("Step"))->click();
                const QStringList expected = shownState(stepped.window);
                const QStringList shown = shownState(ran.window);
                QVERIFY2(shown == expected, qPrintable(where + QStringLiteral(": ") +
                                                       firstDifference(shown, expected)));
                QVERIFY2(ran.services.messages.shown == stepped.services.messages.shown,
                         qPrintable(where + QStringLiteral(": message boxes differ")));
                const QString untold = repaints.untold();
                QVERIFY2(untold.isEmpty(), qPrintable(where + QStringLiteral(": ") + untold));
                clickBoxes(stop.step);
            }
            steps += from;
        }
        qInfo("%d runs at full speed and %d at 1 ms over %lld Steps", fullRuns, timedRuns, steps);
    }

    // While a modal window is open a full-speed run looks again only every
    // 50 ms instead of spinning, and runs on at once when the window is gone.
    void fullSpeedWaitsForAModalWindowWithoutSpinning() {
        Window w({"INC\t20", "JMP\t0000"});
        QTest::keyClick(&w.window, Qt::Key_F5);
        const QTimer& timer = w.window.runTimer().timer();
        QCOMPARE(timer.interval(), 0);
        QDialog modal(&w.window);
        modal.setModal(true);
        modal.show();
        const long long before = w.window.debugger().count().instructions;
        w.window.runTimer().tick();
        QVERIFY(timer.isActive());
        QCOMPARE(timer.interval(), 50);
        QCOMPARE(w.window.debugger().count().instructions, before);
        modal.hide();
        w.window.runTimer().tick();
        QCOMPARE(timer.interval(), 0);
        QVERIFY(w.window.debugger().count().instructions > before);
        w.click("StopKey");
        QVERIFY(!timer.isActive());
    }
    // Each run key presses its button, and is possible exactly when its
    // button is shown and enabled; F5 also takes a timed run to full speed.
    void runKeysPressTheirButtonsWhenTheyCould() {
        const char* const names[] = {"mnuDebugStep",   "mnuDebugStart",  "mnuDebugStop",
                                     "mnuDebugFaster", "mnuDebugSlower", "mnuDebugFullSpeed"};
        const char* const buttons[] = {"Step", "StartKey", "StopKey", "Fast", "Slow"};
        const QKeySequence none;
        const struct {
            const char* state;
            bool program;
            QKeySequence before;  // the keys that bring the state about
            const char* possible; // Step Start Stop Faster Slower FullSpeed
            QKeySequence key;
            const char* after; // runState after the key
        } rows[] = {
            {"no program, Step", false, none, "------", Qt::Key_F10, "stopped 500 -1"},
            {"no program, Start", false, none, "------", Qt::Key_F6, "stopped 500 -1"},
            {"program, Step", true, none, "EE---E", Qt::Key_F10, "stopped 500 1"},
            {"program, Start", true, none, "EE---E", Qt::Key_F6, "timed 500 0"},
            {"program, full speed", true, none, "EE---E", Qt::Key_F5, "full 500 0"},
            {"timed, Faster", true, Qt::Key_F6, "--EEEE", Qt::CTRL | Qt::Key_Up, "timed 200 0"},
            {"timed, Slower", true,
             QKeySequence(QKeyCombination(Qt::Key_F6), Qt::CTRL | Qt::Key_Up), "--EEEE",
             Qt::CTRL | Qt::Key_Down, "timed 500 0"},
            {"timed, Stop", true, Qt::Key_F6, "--EEEE", Qt::SHIFT | Qt::Key_F5, "stopped 500 0"},
            {"timed, Escape", true, Qt::Key_F6, "--EEEE", Qt::Key_Escape, "stopped 500 0"},
            {"timed to full speed", true, Qt::Key_F6, "--EEEE", Qt::Key_F5, "full 500 0"},
            {"full speed, Faster", true, Qt::Key_F5, "--E---", Qt::CTRL | Qt::Key_Up, "full 500 0"},
            {"full speed, Escape", true, Qt::Key_F5, "--E---", Qt::Key_Escape, "stopped 500 0"},
            {"timed then full, Stop", true,
             QKeySequence(QKeyCombination(Qt::Key_F6), QKeyCombination(Qt::Key_F5)), "--E---",
             Qt::SHIFT | Qt::Key_F5, "stopped 500 0"},
        };
        for (const auto& row : rows) {
            Window w(row.program ? std::vector<std::string>{"NOP", "NOP", "NOP"}
                                 : std::vector<std::string>{});
            for (int i = 0; i < row.before.count(); ++i)
                QTest::keyClick(&w.window, row.before[i].key(), row.before[i].keyboardModifiers());
            QString possible;
            for (const char* name : names)
                possible += w.action(name)->isEnabled() ? QLatin1Char('E') : QLatin1Char('-');
            QVERIFY2(possible == QLatin1String(row.possible),
                     qPrintable(QStringLiteral("%1: %2").arg(row.state, possible)));
            for (int i = 0; i < 5; ++i) {
                auto* button = w.window.findChild<QPushButton*>(QLatin1String(buttons[i]));
                QCOMPARE(button->isVisible() && button->isEnabled(), possible[i] == 'E');
            }
            QTest::keyClick(&w.window, row.key[0].key(), row.key[0].keyboardModifiers());
            QVERIFY2(w.runState() == QLatin1String(row.after),
                     qPrintable(QStringLiteral("%1: %2").arg(row.state, w.runState())));
        }
    }

    // Escape stops a run from the entry line too, where the user types.
    void escapeInTheEntryLineStopsATimedRun() {
        Window w({"NOP", "NOP"});
        QTest::keyClick(&w.window, Qt::Key_F6);
        w.entryLine()->setFocus();
        QTest::keyClick(w.entryLine(), Qt::Key_Escape);
        QCOMPARE(w.runState(), QStringLiteral("stopped 500 0"));
    }

    // New, Open, File > Examples and Reset leave the caret at the end of the
    // entry line, so the user can type the next instruction at once.
    void programCommandsPutTheCaretIntoTheEntryLine() {
        const std::string example = mirel::shell::examplesFolder() + "/counter.mrl";
        const struct {
            const char* command;
            std::function<void(Window&)> run;
        } rows[] = {
            {"New", [](Window& w) { w.action("New")->trigger(); }},
            {"Open",
             [&](Window& w) {
                 w.services.dialogs.answer = {example, mirel::files::ProgramKind::Mirel};
                 QTest::keyClick(&w.window, Qt::Key_O, Qt::ControlModifier);
             }},
            {"Examples",
             [](Window& w) {
                 w.window.findChild<QMenu*>(QStringLiteral("mnuFileExamples"))
                     ->actions()
                     .at(0)
                     ->trigger();
             }},
            {"Reset",
             [](Window& w) { QTest::keyClick(&w.window, Qt::Key_R, Qt::ControlModifier); }},
        };
        for (const auto& row : rows) {
            Window w({"NOP", "INC\t20"});
            w.window.findChild<QListView*>(QStringLiteral("Code"))->setFocus();
            row.run(w);
            QLineEdit* line = w.entryLine();
            // The box passes its keys on to its line.
            QWidget* focus = w.window.focusWidget();
            QVERIFY2(focus == line || focus == line->focusProxy(), row.command);
            QVERIFY2(!line->text().isEmpty(), row.command);
            QVERIFY2(line->cursorPosition() == line->text().size(), row.command);
        }
    }
};

QTEST_MAIN(DebuggerWindowTest)
#include "debugger_window_test.moc"
