// What the window tells the user back: views that come back after a run
// however it ends, Step Back only when it can act, the status bar's word on
// steps that did nothing, and the register list scrolled to a change.
#include "files/open_program.h"
#include "shell/frm_main.h"
#include "shell/wrapping_status_bar.h"
#include "test_services.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QtTest>

#include <functional>

using mirel::files::ProgramKind;
using mirel::shell::frmMain;

namespace {

// Program lines with their addresses from 0000 on.
std::vector<std::string> numbered(const std::vector<std::string>& program) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < program.size(); ++i)
        lines.push_back(QStringLiteral("%1\t").arg(i, 4, 16, QLatin1Char('0')).toStdString() +
                        program[i]);
    return lines;
}

// A shown main window with a program opened in it, lines as given.
struct Window {
    test::Services services;
    frmMain window{services.services()};

    explicit Window(std::vector<std::string> lines) {
        mirel::state::NoWindowPlacement placement;
        mirel::files::loadProgram(window.form(), placement, std::move(lines));
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("window not exposed");
        window.activateWindow();
    }
    mirel::state::MainForm& form() { return window.form(); }
    template <typename T> T* find(const char* name) {
        return window.findChild<T*>(QLatin1String(name));
    }
    QAction* action(const char* name) { return find<QAction>(name); }
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    QString status() { return window.statusBar()->currentMessage(); }
    QLineEdit* entry() { return find<QComboBox>("Counter")->lineEdit(); }
    // Types a whole entry line over what it holds and presses Enter.
    void enter(const char* text) {
        entry()->setFocus();
        entry()->selectAll();
        QTest::keyClicks(entry(), QLatin1String(text));
        QTest::keyClick(entry()->parentWidget(), Qt::Key_Return); // as the box hands it on
    }
    // Every view a run may hide, shown and enabled.
    bool viewsUsable() {
        for (const char* name :
             {"Code", "Reg", "Counter", "W", "Label2", "Label3", "Step", "Mirel"}) {
            auto* view = find<QWidget>(name);
            if (!view->isVisible() || !view->isEnabled())
                return false;
        }
        return true;
    }
};

} // namespace

class FeedbackWindowTest : public QObject {
    Q_OBJECT

private slots:
    // New, Open and Reset end a run with its hidden views as Stop does.
    void commandsDuringAFastRunLeaveEveryViewUsable() {
        enum class Command { New, Open, Reset };
        const struct {
            Command command;
            bool fullSpeed;
        } cases[] = {
            {Command::New, false}, {Command::Open, false}, {Command::Reset, false},
            {Command::New, true},  {Command::Open, true},  {Command::Reset, true},
        };
        for (const auto& c : cases) {
            Window w(numbered({"INC\t20", "JMP\t0000"}));
            const std::string saved =
                w.services.dir.filePath(QStringLiteral("p.txt")).toStdString();
            w.services.dialogs.answer = {saved, ProgramKind::Text};
            w.window.mnuFileSave_Click();
            if (c.fullSpeed) {
                w.window.mnuDebugFullSpeed_Click();
            } else {
                w.form().Label5.setText("20");
                w.click("StartKey");
                w.window.runTimer().tick();
            }
            QVERIFY(!w.viewsUsable());
            if (c.command == Command::New)
                w.window.tbToolBar_ButtonClick(QStringLiteral("New"));
            else if (c.command == Command::Open)
                w.window.mnuFileOpen_Click();
            else
                w.window.mnuDebugReset_Click();
            QVERIFY(!w.form().Timer1.enabled());
            QVERIFY2(w.viewsUsable(), qPrintable(QStringLiteral("command %1, full speed %2")
                                                     .arg(int(c.command))
                                                     .arg(c.fullSpeed)));
            QVERIFY(w.find<QPushButton>("StartKey")->isEnabled());
            QVERIFY(!w.find<QPushButton>("StopKey")->isVisible());
        }
    }

    // Step Back is offered exactly while there is a step to take back.
    void stepBackEnabledExactlyWhenItCanAct() {
        Window w(numbered({"INC\t20", "INC\t21", "NOP", "NOP", "NOP"}));
        using Act = std::function<void(Window&)>;
        const Act step = [](Window& w) { w.click("Step"); };
        const Act typeW = [](Window& w) {
            auto* box = w.find<QLineEdit>("W");
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, QStringLiteral("5A"));
        };
        const Act mirel = [](Window& w) { w.click("Mirel"); };
        const Act back = [](Window& w) { w.window.mnuDebugStepBack_Click(); };
        const Act renew = [](Window& w) { w.window.tbToolBar_ButtonClick(QStringLiteral("New")); };
        const struct {
            const char* what;
            Act act;
            bool enabled;
        } rows[] = {
            {"opened", [](Window&) {}, false},
            {"a step", step, true},
            {"W typed", typeW, false},
            {"a step after typing", step, true},
            {"Mirel", mirel, false},
            {"two steps", [&](Window& w) { step(w), step(w); }, true},
            {"one back", back, true},
            {"back to the start", back, false},
            {"a step again", step, true},
            {"New", renew, false},
        };
        for (const auto& row : rows) {
            row.act(w);
            QVERIFY2(w.action("mnuDebugStepBack")->isEnabled() == row.enabled, row.what);
        }
    }

    // A step that executes nothing, a breakpoint stop and a line written that
    // is no instruction say so in the status bar; the counts stay beside it.
    void statusBarSaysWhyNothingHappened() {
        const struct {
            std::vector<std::string> lines;
            int at;
            const char* message;
        } steps[] = {
            {{"0000\tNOP", ""}, 1, "Line 0001 holds no instruction."},
            {{"0000\tNOP", "0005\t"}, 1, "Line 0005 holds no instruction."},
            {{"0003\tMOV\t06"}, 0, "Line 0003 holds no instruction."},
            {{"0000\tNOP", "0007\tOPTION"}, 1, "Line 0007 holds no instruction."},
            {{"0000\tNOP", "0008\tTRIS\t06"}, 1, "Line 0008 holds no instruction."},
            {{"0000\tNOP", "0000\tNOP", "End"}, 2, "Line 0002 holds no instruction."},
            {{"0004\tNOP"}, 0, ""},
        };
        for (const auto& s : steps) {
            Window w(s.lines);
            w.form().Code.select(s.at);
            w.click("Step");
            QCOMPARE(w.status(), QLatin1String(s.message));
            QVERIFY(w.find<QLabel>("DebugCounts")->isVisible());
        }

        Window run(numbered({"NOP", "NOP", "NOP", "INC\t20", "NOP", "NOP", "NOP"}));
        run.window.debugger().breakpoints().toggle(5);
        run.form().Label5.setText("1");
        run.click("StartKey");
        for (int i = 0; i < 50 && run.form().Timer1.enabled(); ++i)
            run.window.runTimer().tick();
        QCOMPARE(run.status(), QStringLiteral("Stopped at the breakpoint on line 0005."));

        Window typed(numbered({"NOP"}));
        const auto& warnings = typed.window.debugger().notInstructions();
        typed.enter("0000 NOP");
        typed.enter("0001 MOV 06");
        QCOMPARE(typed.status(), QStringLiteral("Line 0001: MOV 06 is not an instruction."));
        QCOMPARE(typed.form().Code.line(1), std::string("0001\tMOV\t06"));
        QCOMPARE(warnings.lines(), std::vector<int>{1});
        typed.form().Code.select(1);
        typed.enter("0001 INC 20");
        QVERIFY(warnings.lines().empty());
    }

    // At the window's own size, a message of any length is drawn whole: short
    // ones beside the counts, longer ones in the counts' room and wrapped,
    // the bar taller only for as long as it needs; then the counts come back.
    void statusMessagesAreNeverCut() {
        Window w(numbered({"NOP"}));
        auto* bar = static_cast<mirel::shell::WrappingStatusBar*>(w.window.statusBar());
        auto* counts = w.find<QLabel>("DebugCounts");
        auto* model = w.find<QLabel>("DeviceModel");
        const QString sentence = QStringLiteral("Stopped at the breakpoint on line 0007. ");
        for (int sentences : {1, 3, 8, 20}) {
            bar->showMessage(sentence.repeated(sentences).trimmed());
            // The bar lays its widgets out again once the event loop has its turn.
            QApplication::processEvents();
            const QRect room = bar->messageRect();
            const QRect drawn = bar->fontMetrics().boundingRect(
                QRect(0, 0, room.width(), 1 << 16), Qt::TextWordWrap, bar->currentMessage());
            const QString at = QStringLiteral("%1 sentences").arg(sentences);
            QVERIFY2(drawn.height() <= room.height(), qPrintable(at));
            QVERIFY2(room.right() < model->geometry().left(), qPrintable(at));
            QVERIFY2(!counts->isVisible() || room.right() < counts->geometry().left(),
                     qPrintable(at));
            QVERIFY2(sentences > 1 || counts->isVisible(), qPrintable(at));
        }
        bar->clearMessage();
        QTRY_VERIFY(counts->isVisible());
        QTRY_VERIFY(!bar->grown());
    }

    // Debug > Device chooses the rules of the next New or Open and keeps the
    // choice; before the first program it is the rules in effect. The status
    // bar names the rules that run and a choice still waiting, so that it and
    // the menu agree; a sleeping part says so.
    void deviceMenuChoosesTheRulesOfTheNextProgram() {
        test::Services services;
        {
            frmMain window{services.services()};
            const auto action = [&](const char* name) {
                return window.findChild<QAction*>(QLatin1String(name));
            };
            const auto shown = [&] { return window.findChild<QLabel*>("DeviceModel")->text(); };
            QVERIFY(action("mnuDebugDeviceTeachingModel")->isChecked());
            QCOMPARE(shown(), QStringLiteral("Teaching Model"));
            action("New")->trigger();

            action("mnuDebugDevice16F84A")->trigger();
            QVERIFY(action("mnuDebugDevice16F84A")->isChecked());
            QVERIFY(!action("mnuDebugDeviceTeachingModel")->isChecked());
            QCOMPARE(shown(), QStringLiteral("Teaching Model (16F84A from the next New or Open)"));
            QCOMPARE(window.statusBar()->currentMessage(),
                     QStringLiteral("16F84A from the next New or Open."));

            action("New")->trigger();
            QCOMPARE(shown(), QStringLiteral("16F84A"));
            QCOMPARE(window.form().Reg.line(3), std::string("0003\t18   00011000"));

            mirel::state::NoWindowPlacement placement;
            mirel::files::loadProgram(window.form(), placement,
                                      numbered({"LDA\t10 H", "STA\t0B", "SLP", "NOP"}));
            for (int i = 0; i < 4; ++i)
                window.findChild<QPushButton*>("Step")->click();
            QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Sleeping"));
            QCOMPARE(shown(), QStringLiteral("16F84A  Sleeping"));
        }
        frmMain again{services.services()};
        QVERIFY(again.findChild<QAction*>("mnuDebugDevice16F84A")->isChecked());
        QCOMPARE(again.form().chosenModel, mirel::parts::Model::F84A);
        QCOMPARE(again.form().model, mirel::parts::Model::F84A);
        QCOMPARE(again.findChild<QLabel*>("DeviceModel")->text(), QStringLiteral("16F84A"));
        QVERIFY(again.statusBar()->currentMessage().endsWith(
            QStringLiteral("The machine follows the 16F84A's rules (Debug > Device).")));
        // The choice made with no program yet takes effect at once.
        again.findChild<QAction*>("mnuDebugDeviceTeachingModel")->trigger();
        QCOMPARE(again.findChild<QLabel*>("DeviceModel")->text(), QStringLiteral("Teaching Model"));
    }

    // The register list shows the first register a step changed, scrolling
    // only when it is out of sight.
    void registerListScrollsToTheChange() {
        Window w(numbered({"INC\t0C", "INC\t7F", "INC\t0D"}));
        auto* reg = w.find<QListView>("Reg");
        const auto shown = [reg](int row) {
            return reg->viewport()->rect().contains(reg->visualRect(reg->model()->index(row, 0)));
        };
        reg->scrollToTop();
        w.click("Step");
        QCOMPARE(reg->verticalScrollBar()->value(), 0);
        QVERIFY(!shown(0x7F));
        w.click("Step");
        QVERIFY(shown(0x7F));
        const int scrolled = reg->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);
        w.click("Step");
        QVERIFY(shown(0x0D));
        QVERIFY(!shown(0x7F));

        // A run shows its first change when it stops.
        Window r(numbered({"NOP", "INC\t7F", "NOP", "NOP"}));
        auto* runReg = r.find<QListView>("Reg");
        runReg->scrollToTop();
        r.window.debugger().breakpoints().toggle(3);
        r.form().Label5.setText("1");
        r.click("StartKey");
        for (int i = 0; i < 50 && r.form().Timer1.enabled(); ++i)
            r.window.runTimer().tick();
        QVERIFY(!r.form().Timer1.enabled());
        QVERIFY(runReg->viewport()->rect().contains(
            runReg->visualRect(runReg->model()->index(0x7F, 0))));
    }
};

QTEST_MAIN(FeedbackWindowTest)
#include "feedback_window_test.moc"
