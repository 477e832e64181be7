#include "files/open_program.h"
#include "shell/frm_main.h"
#include "shell/timeline_dock.h"
#include "shell/timeline_view.h"
#include "shell/watch_dock.h"
#include "state/hex_text.h"
#include "test_services.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

using mirel::shell::frmMain;

namespace {

struct Window {
    test::Services services;
    frmMain window{services.services()};

    explicit Window(const std::vector<std::string>& program) {
        std::vector<std::string> lines = test::numbered(program);
        mirel::state::NoWindowPlacement placement;
        mirel::files::loadProgram(window.form(), placement, std::move(lines));
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("window not exposed");
    }
    mirel::state::MainForm& form() { return window.form(); }
    void click(const char* button) {
        QTest::mouseClick(window.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
    }
    // The machine as the window's lists show it: every register line, W,
    // the stack and the line the next step executes.
    QStringList machine() {
        QStringList shown;
        for (const std::string& line : form().Reg.lines())
            shown << QString::fromStdString(line);
        for (const std::string& line : form().SPReg.lines())
            shown << QString::fromStdString(line);
        shown << QString::fromStdString(form().W.text())
              << QString::number(form().Code.selectedIndex());
        return shown;
    }
};

// A loop that changes W, port B and a register at different paces.
const std::vector<std::string> lightAndCounter = {"LDA\t01 H", "STA\t06",   "RLA\t06",
                                                  "INC\t20",   "LDA\t20 W", "JMP\t0002"};

} // namespace

class TimelineWindowTest : public QObject {
    Q_OBJECT

private slots:
    // A click on a step in the lanes leaves the machine exactly as it was
    // after that many steps, backwards and forwards, and the steps go on
    // from there as they went the first time.
    void clickingAStepTakesTheMachineThere() {
        Window w(lightAndCounter);
        std::vector<QStringList> after{w.machine()};
        for (int step = 1; step <= 20; ++step) {
            w.click("Step");
            after.push_back(w.machine());
        }
        w.window.findChild<QAction*>(QStringLiteral("mnuViewTimeline"))->trigger();
        auto* dock = w.window.timelineDock();
        QVERIFY(dock->isVisible());
        QCOMPARE(dock->trace().first(), 0);
        QCOMPARE(dock->trace().end(), 21);
        mirel::shell::TimelineView* view = dock->view();
        const int wLane = 2; // after the two ports
        for (const long long step : {7LL, 0LL, 13LL, 20LL, 3LL, 19LL}) {
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->pointOfStep(step, wLane));
            QCOMPARE(w.window.debugger().position(), step);
            QCOMPARE(w.machine(), after[static_cast<std::size_t>(step)]);
        }
        // A drag follows the mouse to where it is let go.
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, view->pointOfStep(2, wLane));
        QMouseEvent move(QEvent::MouseMove, view->pointOfStep(9, wLane),
                         view->viewport()->mapToGlobal(view->pointOfStep(9, wLane)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &move);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, view->pointOfStep(9, wLane));
        QCOMPARE(w.machine(), after[9]);
        // Stepping on from a step taken back gives the same steps again.
        w.click("Step");
        QCOMPARE(w.machine(), after[10]);
        // A lane added by name follows the same history: INC 20 counts it up.
        std::string error;
        QVERIFY(!dock->addRegister("NOSUCH", error));
        QVERIFY(dock->addRegister("20", error));
        QCOMPARE(dock->trace().columns().back().reg, 0x20);
        for (long long step = 0; step < dock->trace().end(); ++step)
            QCOMPARE(QString::asprintf("%02X", dock->trace().value(step, 3)),
                     after[static_cast<std::size_t>(step)][0x20]
                         .section(QLatin1Char('\t'), 1, 1)
                         .left(2));
    }

    // Export CSV and Export VCD write the lanes to the file the dialog
    // names; a file that cannot be written is told, and nothing is left.
    void exportsWriteTheLanesOrSayWhyNot() {
        Window w(lightAndCounter);
        for (int step = 0; step < 5; ++step)
            w.click("Step");
        w.window.findChild<QAction*>(QStringLiteral("mnuViewTimeline"))->trigger();
        auto* dock = w.window.timelineDock();
        std::string error;
        QVERIFY(dock->addRegister("20", error));
        const QString csv = w.services.dir.filePath(QStringLiteral("light.csv"));
        const QString vcd = w.services.dir.filePath(QStringLiteral("light.vcd"));
        const QString nowhere = w.services.dir.filePath(QStringLiteral("missing/light.csv"));
        for (const QString& name : {csv, vcd, nowhere})
            w.services.dialogs.queued.push_back({name.toStdString(), {}});
        for (const char* button : {"TimelineExportCsv", "TimelineExportVcd", "TimelineExportCsv"})
            QTest::mouseClick(dock->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);

        QFile table(csv);
        QVERIFY(table.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLatin1(table.readAll()),
                 QStringLiteral("step,cycles,time_us,next,PORTA,PORTB,W,20\n"
                                "0,0,0,0000,00,00,00,00\n"
                                "1,1,1,0001,00,00,01,00\n"
                                "2,2,2,0002,00,01,01,00\n"
                                "3,3,3,0003,00,02,01,00\n"
                                "4,4,4,0004,00,02,01,01\n"
                                "5,5,5,0005,00,02,01,01\n"));
        QFile dump(vcd);
        QVERIFY(dump.open(QIODevice::ReadOnly));
        const QString waves = QString::fromLatin1(dump.readAll());
        QVERIFY2(waves.contains(QStringLiteral(" RB1 ")) &&
                     waves.contains(QStringLiteral("#4\nb00000001 r\n")),
                 qPrintable(waves));
        QCOMPARE(w.services.messages.shown.size(), std::size_t{1});
        QVERIFY2(w.services.messages.shown[0].text.rfind("Cannot save", 0) == 0,
                 w.services.messages.shown[0].text.c_str());
        QVERIFY(!QFileInfo::exists(nowhere));
    }

    // A watch added in the Watch window's dialog stops both kinds of run
    // after the step that changed it, the status bar says which, and the
    // table shows the value before and after.
    void aWatchOnChangeStopsARun_data() {
        QTest::addColumn<bool>("fullSpeed");
        QTest::newRow("Start") << false;
        QTest::newRow("full speed") << true;
    }
    void aWatchOnChangeStopsARun() {
        QFETCH(bool, fullSpeed);
        Window w({"INC\t20", "INC\t21", "JMP\t0000"});
        w.window.findChild<QAction*>(QStringLiteral("mnuDebugWatch"))->trigger();
        auto* dock = w.window.watchDock();
        QVERIFY(dock->isVisible());
        QTimer::singleShot(0, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            dialog->findChild<QLineEdit*>(QStringLiteral("WatchRegister"))
                ->setText(QStringLiteral("21.3"));
            dialog->findChild<QComboBox*>(QStringLiteral("WatchCondition"))->setCurrentIndex(2);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QTest::mouseClick(dock->findChild<QPushButton*>(QStringLiteral("WatchAdd")),
                          Qt::LeftButton);
        QCOMPARE(dock->table()->rowCount(), 1);
        QCOMPARE(dock->table()->item(0, 3)->text(), QStringLiteral("on change"));

        if (fullSpeed) {
            w.window.findChild<QAction*>(QStringLiteral("mnuDebugFullSpeed"))->trigger();
            QTRY_VERIFY_WITH_TIMEOUT(!w.form().Timer1.enabled(), 20000);
        } else {
            w.form().Label5.setText("1");
            w.click("StartKey");
            for (int i = 0; i < 100 && w.form().Timer1.enabled(); ++i)
                w.window.runTimer().tick();
            QVERIFY(!w.form().Timer1.enabled());
        }
        // INC 21 set bit 3 on its eighth turn: 24 steps.
        QCOMPARE(w.window.debugger().position(), 23);
        QCOMPARE(w.form().registers.value(0x21), 8);
        QCOMPARE(w.window.statusBar()->currentMessage(),
                 QStringLiteral("Watch: 21.3 changed from 0 to 1 by the line at 0001."));
        QCOMPARE(dock->table()->item(0, 0)->text(), QStringLiteral("21.3"));
        QCOMPARE(dock->table()->item(0, 1)->text(), QStringLiteral("1"));
        QCOMPARE(dock->table()->item(0, 2)->text(), QStringLiteral("0"));
    }
};

QTEST_MAIN(TimelineWindowTest)
#include "timeline_window_test.moc"
