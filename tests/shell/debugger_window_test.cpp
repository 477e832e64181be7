#include "files/open_program.h"
#include "shell/frm_main.h"
#include "test_services.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QToolBar>
#include <QtTest>

using mirel::shell::frmMain;

namespace {

// A shown main window with a program opened in it.
struct Window {
    test::Services services;
    frmMain window{services.services()};

    explicit Window(const std::vector<std::string>& program) {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < program.size(); ++i)
            lines.push_back("000" + std::to_string(i) + "\t" + program[i]);
        mirel::state::NoWindowPlacement placement;
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
    bool viewsShown() {
        return window.findChild<QListView*>(QStringLiteral("Reg"))->isVisible() &&
               window.findChild<QListView*>(QStringLiteral("Code"))->isVisible();
    }
};

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
};

QTEST_MAIN(DebuggerWindowTest)
#include "debugger_window_test.moc"
