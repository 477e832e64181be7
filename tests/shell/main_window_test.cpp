#include "shell/frm_main.h"
#include "shell/settings_keys.h"
#include "shell/twips.h"
#include "state/register_file.h"
#include "test_services.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QToolBar>
#include <QtTest>

using mirel::shell::frmMain;

namespace {

QString line(const char* text) {
    return QString::fromLatin1(text);
}

// One freshly loaded main window, shown, with its controls found by name as
// a user sees them.
struct Window {
    // Real message boxes, so that a test sees and answers them as a user would.
    test::Services services;
    mirel::shell::QtMessageBox boxes{nullptr};
    frmMain window{{boxes, services.settings, services.system, services.dialogs}};

    Window() {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("window not exposed");
    }
    template <typename T> T* control(const QString& name) {
        auto* widget = window.findChild<T*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QListView* list(const char* name) { return control<QListView>(QLatin1String(name)); }
    QStringList rows(const char* name) {
        QStringList out;
        const QAbstractItemModel* model = list(name)->model();
        for (int r = 0; r < model->rowCount(); ++r)
            out << model->index(r, 0).data().toString();
        return out;
    }
    int currentRow(const char* name) {
        QListView* view = list(name);
        const QModelIndexList selected = view->selectionModel()->selectedIndexes();
        return selected.size() == 1 && view->currentIndex() == selected.first()
                   ? selected.first().row()
                   : -1;
    }
    QComboBox* counter() { return control<QComboBox>(QStringLiteral("Counter")); }
    QLineEdit* entryLine() { return counter()->lineEdit(); }
    QPushButton* button(const char* name) { return control<QPushButton>(QLatin1String(name)); }
    QString bits() {
        QString out;
        for (int i = 7; i >= 0; --i)
            out += control<QLabel>(QStringLiteral("RW(%1)").arg(i))->text();
        return out;
    }

    void clickNew() {
        auto* bar = control<QToolBar>(QStringLiteral("tbToolBar"));
        QTest::mouseClick(bar->widgetForAction(control<QAction>(QStringLiteral("New"))),
                          Qt::LeftButton);
    }
    void enter(const char* instruction) {
        QLineEdit* edit = entryLine();
        edit->setFocus();
        edit->end(false);
        QTest::keyClicks(edit, QLatin1String(instruction));
        // The box has the focus and hands Return to its line edit.
        QTest::keyClick(edit->parentWidget(), Qt::Key_Return);
    }
    void clickRow(const char* name, int row) {
        QListView* view = list(name);
        const QRect where = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, where.center());
    }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsEmptyWithProgramButtonsDisabled() {
        Window w;
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Mirelsim"));
        QVERIFY(!w.window.windowIcon().isNull());
        QVERIFY(!w.button("Step")->isEnabled());
        QVERIFY(!w.button("StartKey")->isEnabled());
        QVERIFY(w.button("StartKey")->isVisible());
        QVERIFY(!w.button("Mirel")->isEnabled());
        for (const char* hidden : {"StopKey", "Fast", "Slow"})
            QVERIFY2(w.button(hidden)->isHidden(), hidden);
        QCOMPARE(w.rows("SPReg"), QStringList{QStringLiteral("SP")});
        QVERIFY(w.rows("Code").isEmpty());
        QVERIFY(w.rows("Reg").isEmpty());
        QCOMPARE(w.counter()->count(), 0);
        QCOMPARE(w.control<QLineEdit>(QStringLiteral("W"))->text(), QStringLiteral("00"));
        QCOMPARE(w.bits(), QStringLiteral("00000000"));
        QCOMPARE(w.control<QLabel>(QStringLiteral("Label3"))->text(),
                 QStringLiteral("ADR         OpCode        Value"));
        QCOMPARE(w.control<QLabel>(QStringLiteral("Label2"))->text(),
                 QStringLiteral(" REG         Hex  76543210"));
        QCOMPARE(w.control<QLabel>(QStringLiteral("Label5"))->text(), QStringLiteral("500"));
        for (int i = 0; i < 8; ++i) {
            QVERIFY(w.control<QCheckBox>(QStringLiteral("InA(%1)").arg(i))->isHidden());
            QVERIFY(w.control<QCheckBox>(QStringLiteral("InB(%1)").arg(i))->isHidden());
        }
    }

    void newBuildsTheResetStateAndRestoresPlacement() {
        Window w;
        w.window.move(300, 250);
        w.clickNew();

        const QStringList reg = w.rows("Reg");
        QCOMPARE(reg.size(), 513);
        QCOMPARE(reg.first(), line("0000\t00   00000000"));
        QCOMPARE(reg.last(), line("0200\t00   00000000"));
        QCOMPARE(w.rows("Code"), QStringList{line("0000\t")});
        QCOMPARE(w.counter()->count(), 1);
        QCOMPARE(w.entryLine()->text(), line("0000     "));
        QCOMPARE(w.entryLine()->cursorPosition(), 9);
        QVERIFY(w.button("Step")->isEnabled());
        QVERIFY(w.button("StartKey")->isEnabled());
        QVERIFY(w.button("Mirel")->isEnabled());

        // Back at the stored corner, and never smaller than the layout.
        const double dpi = w.window.screen()->logicalDotsPerInch();
        using mirel::shell::placementPixels;
        namespace settings = mirel::shell::settings;
        const QRect placed = w.window.frameGeometry();
        QCOMPARE(placed.topLeft(), QPoint(placementPixels(settings::defaultMainLeft, dpi),
                                          placementPixels(settings::defaultMainTop, dpi)));
        QVERIFY(placed.width() > placementPixels(settings::defaultMainWidth, dpi));
        const QSize shown = w.window.centralWidget()->size();
        const QSize layout = w.control<QWidget>(QStringLiteral("controls"))->size();
        QVERIFY2(shown.width() >= layout.width() && shown.height() >= layout.height(),
                 "the whole layout shows without scrolling");
    }

    void enterWritesTheEntryLineIntoCode() {
        Window w;
        w.clickNew();
        w.enter("NO"); // too short: nothing is written
        QCOMPARE(w.rows("Code"), QStringList{line("0000\t")});

        w.entryLine()->clear();
        w.enter("0000 NOP");
        QCOMPARE(w.rows("Code"), (QStringList{line("0000\tNOP\t"), line("0001   ")}));
        QCOMPARE(w.currentRow("Code"), 1);
        QCOMPARE(w.entryLine()->text(), line("0001   "));
        QCOMPARE(w.entryLine()->cursorPosition(), 7);
        QCOMPARE(w.counter()->count(), 1);

        // Typed at the caret, in order, after the address the entry line shows.
        w.enter("STA 0C");
        QCOMPARE(w.rows("Code").at(1), line("0001\tSTA\t0C"));
        QCOMPARE(w.entryLine()->text(), line("0002   "));
    }

    void stepRunsTheSelectedLineAndRepaintsOnlyChangedRows() {
        Window w;
        w.clickNew();
        w.enter("INC 0C");
        w.enter("LDA A5H");
        w.clickRow("Code", 0);
        QCOMPARE(w.currentRow("Code"), 0);
        QCOMPARE(w.entryLine()->text(), line("0000     INC     0C"));
        QCOMPARE(w.counter()->count(), 3);

        QAbstractItemModel* reg = w.list("Reg")->model();
        QSignalSpy changed(reg, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(reg, &QAbstractItemModel::modelReset);
        QSignalSpy removed(reg, &QAbstractItemModel::rowsRemoved);
        QTest::mouseClick(w.button("Step"), Qt::LeftButton);

        QCOMPARE(w.rows("Reg").at(12), line("000C\t01   00000001"));
        QCOMPARE(reset.count(), 0);
        QCOMPARE(removed.count(), 0);
        QSet<int> rows;
        for (const QList<QVariant>& signal : changed) {
            const auto top = signal.at(0).toModelIndex().row();
            QCOMPARE(signal.at(1).toModelIndex().row(), top);
            rows.insert(top);
        }
        QVERIFY(rows.contains(12));
        QVERIFY2(rows.size() <= 8,
                 "only INDF, STATUS copies, the target and the two ports are rewritten");

        QCOMPARE(w.currentRow("Code"), 1);
        QCOMPARE(w.entryLine()->text(), line("0001     LDA     A5H"));
        QCOMPARE(w.counter()->count(), 2);

        QTest::mouseClick(w.button("Step"), Qt::LeftButton);
        QCOMPARE(w.control<QLineEdit>(QStringLiteral("W"))->text(), QStringLiteral("A5"));
        QCOMPARE(w.bits(), QStringLiteral("10100101"));
        QCOMPARE(w.currentRow("Code"), 2);
    }

    // The line under the entry line says what the selected line will do on
    // the next Step; it follows a click, a Step and a value typed, and is
    // worked out only while the views are shown.
    void theNextStepIsExplainedUnderTheEntryLine() {
        Window w;
        auto* label = w.control<QLabel>(QStringLiteral("NextStep"));
        const auto shown = [label] {
            QCoreApplication::processEvents(); // the update waits for the event loop
            return label->text();
        };
        w.clickNew();
        w.enter("LDA 05 H");
        w.enter("ADD 20 W");
        w.enter("JMP 0000");
        QCOMPARE(shown(), QStringLiteral("Line 0003 holds no instruction."));

        w.clickRow("Code", 0);
        QCOMPARE(shown(), QStringLiteral("LDA 05 H: W = 05, Z = 0"));
        QTest::mouseClick(w.button("Step"), Qt::LeftButton);
        QCOMPARE(shown(), QStringLiteral("ADD 20 W: W = 05 + [0020] 00 = 05, Z = 0, C = 0"));
        w.window.form().W.setText("FB");
        QCOMPARE(shown(), QStringLiteral("ADD 20 W: W = FB + [0020] 00 = FB, Z = 0, C = 0"));
        QTest::mouseClick(w.button("Step"), Qt::LeftButton);
        QCOMPARE(shown(), QStringLiteral("JMP 0000: jumps to 0000"));

        // With the views hidden, as in a fast run, nothing is worked out.
        w.window.form().CounterView.setVisible(false);
        w.clickRow("Code", 1);
        QCOMPARE(shown(), QStringLiteral("JMP 0000: jumps to 0000"));
        QVERIFY(label->isHidden());
        w.window.form().CounterView.setVisible(true);
        QCOMPARE(shown(), QStringLiteral("ADD 20 W: W = FB + [0020] 00 = FB, Z = 0, C = 0"));
        QVERIFY(label->isVisible());
    }

    void wAcceptsTwoHexDigitsAndShowsItsBits() {
        Window w;
        auto* box = w.control<QLineEdit>(QStringLiteral("W"));
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("a5"));
        QCOMPARE(w.window.form().W.text(), std::string("a5"));
        QCOMPARE(w.bits(), QStringLiteral("10100101"));

        QTest::keyClick(box, Qt::Key_F); // a third digit is refused
        QCOMPARE(box->text(), QStringLiteral("a5"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, QStringLiteral("g")); // not hexadecimal
        QCOMPARE(box->text(), QStringLiteral("a"));
        QCOMPARE(w.bits(), QStringLiteral("00001010"));
    }

    void mirelTakesBackTheLastLine() {
        Window w;
        w.clickNew();
        w.enter("NOP");
        QCOMPARE(w.rows("Code").size(), 2);
        QTest::mouseClick(w.button("Mirel"), Qt::LeftButton);
        QCOMPARE(w.rows("Code"), QStringList{line("0000\tNOP\t")});
        QCOMPARE(w.currentRow("Code"), 0);
        QCOMPARE(w.entryLine()->text(), line("0000     NOP     "));

        QTest::mouseClick(w.button("Mirel"), Qt::LeftButton); // the only line stays
        QCOMPARE(w.rows("Code").size(), 1);
        QCOMPARE(w.currentRow("Code"), 0);
    }

    void newDuringAProgramClearsTheHighlight() {
        Window w;
        w.clickNew();
        w.enter("NOP");
        QCOMPARE(w.currentRow("Code"), 1);
        QString asked;
        QTimer::singleShot(0, &w.window, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = box->text();
                QTest::mouseClick(box->button(QMessageBox::Discard), Qt::LeftButton);
            }
        });
        w.clickNew();
        QCOMPARE(asked, QStringLiteral("Save changes to the program?"));
        QCOMPARE(w.rows("Code").size(), 1);
        QCOMPARE(w.currentRow("Code"), -1);
        QCOMPARE(w.window.form().Code.selectedIndex(), -1);
        QCOMPARE(w.entryLine()->text(), line("0000     "));
    }

    void clickingACodeLineRefillsTheEntryLineEvenWhenAlreadySelected() {
        Window w;
        w.clickNew();
        w.enter("NOP");
        w.enter("STA 0C");
        w.clickRow("Code", 0);
        QCOMPARE(w.entryLine()->text(), line("0000     NOP     "));
        QCOMPARE(w.counter()->count(), 3);
        QTest::keyClicks(w.entryLine(), QStringLiteral("XY"));
        w.clickRow("Code", 0); // a second click on the same line restores it
        QCOMPARE(w.entryLine()->text(), line("0000     NOP     "));
    }

    void fastRunHidesTheViewsAfterTheNextTickAndStopShowsThem() {
        Window w;
        w.clickNew();
        w.enter("NOP");
        w.enter("NOP");
        w.clickRow("Code", 0);
        const QTimer& timer = w.window.runTimer().timer();
        QTest::mouseClick(w.button("StartKey"), Qt::LeftButton);
        QVERIFY(timer.isActive());
        QCOMPARE(timer.timerType(), Qt::PreciseTimer);
        QCOMPARE(timer.interval(), 10);
        QVERIFY(!w.control<QLineEdit>(QStringLiteral("W"))->isEnabled());

        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(w.button("Fast"), Qt::LeftButton);
        QCOMPARE(w.control<QLabel>(QStringLiteral("Label5"))->text(), QStringLiteral("20"));
        const QStringList views = {QStringLiteral("Reg"), QStringLiteral("Code"),
                                   QStringLiteral("Counter"), QStringLiteral("Label2"),
                                   QStringLiteral("Label3")};
        for (const QString& view : views)
            QVERIFY2(!w.control<QWidget>(view)->isHidden(), qPrintable(view));

        w.window.runTimer().tick();
        QCOMPARE(w.window.form().Code.selectedIndex(), 1);
        QCOMPARE(timer.interval(), 20);
        for (const QString& view : views)
            QVERIFY2(w.control<QWidget>(view)->isHidden(), qPrintable(view));

        QTest::mouseClick(w.button("StopKey"), Qt::LeftButton);
        QVERIFY(!timer.isActive());
        for (const QString& view : views)
            QVERIFY2(w.control<QWidget>(view)->isVisible(), qPrintable(view));
        QVERIFY(w.control<QLineEdit>(QStringLiteral("W"))->isEnabled());
    }

    void aTickedInputBoxReachesPortBAtTheNextInstruction() {
        Window w;
        w.clickNew();
        w.enter("NOP");
        w.enter("NOP");
        w.clickRow("Code", 0);
        mirel::state::writeRegister(w.window.form(), mirel::state::TRISB, 0x01);
        QTest::mouseClick(w.button("Step"), Qt::LeftButton);
        auto* input = w.control<QCheckBox>(QStringLiteral("InB(0)"));
        QVERIFY(input->isVisible());
        QVERIFY(w.control<QCheckBox>(QStringLiteral("InB(1)"))->isHidden());
        QTest::mouseClick(input, Qt::LeftButton);
        QCOMPARE(w.rows("Reg").at(6), line("0006\t00   00000000"));
        QTest::mouseClick(w.button("Step"), Qt::LeftButton);
        QCOMPARE(w.rows("Reg").at(6), line("0006\t01   00000001"));
    }

    // A program that shows a message on every tick can still be stopped.
    void aMessageDuringARunOffersStopAndStopEndsTheRun() {
        Window w;
        w.clickNew();
        w.enter("RTS");
        w.clickRow("Code", 0);

        QStringList buttons;
        bool tickedWhileOpen = false;
        const auto answer = [&](const QString& press) {
            QTimer::singleShot(0, &w.window, [&, press] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box)
                    return;
                buttons.clear();
                for (QAbstractButton* b : box->buttons())
                    buttons << b->text().remove(QLatin1Char('&'));
                buttons.sort();
                if (w.window.form().Timer1.enabled()) {
                    w.window.runTimer().tick(); // falls while the box is open
                    tickedWhileOpen = QApplication::activeModalWidget() == box;
                }
                for (QAbstractButton* b : box->buttons())
                    if (b->text().remove(QLatin1Char('&')) == press)
                        QTest::mouseClick(b, Qt::LeftButton);
            });
        };

        answer(QStringLiteral("OK"));
        QTest::mouseClick(w.button("Step"), Qt::LeftButton);
        QCOMPARE(buttons, QStringList{QStringLiteral("OK")});

        w.clickRow("Code", 0);
        QTest::mouseClick(w.button("StartKey"), Qt::LeftButton);
        answer(QStringLiteral("OK"));
        w.window.runTimer().tick();
        QCOMPARE(buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Stop")}));
        QVERIFY(tickedWhileOpen);
        QVERIFY(w.window.runTimer().timer().isActive());

        w.clickRow("Code", 0);
        answer(QStringLiteral("Stop"));
        w.window.runTimer().tick();
        QCOMPARE(buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Stop")}));
        QVERIFY(!w.window.runTimer().timer().isActive());
        QVERIFY(w.button("StartKey")->isVisible());
        QVERIFY(w.button("Step")->isVisible());
        QVERIFY(w.button("StopKey")->isHidden());
    }

    void lampsAndInputsFollowThePorts() {
        Window w;
        auto& form = w.window.form();
        auto picture = [&w](int i) {
            return w.control<QWidget>(QStringLiteral("RA(%1)").arg(i))->grab().toImage();
        };
        const QImage dark = picture(3);
        auto said = [&w](int i) {
            return w.control<QWidget>(QStringLiteral("RA(%1)").arg(i))->accessibleDescription();
        };
        QCOMPARE(said(3), QStringLiteral("off"));
        form.RA[3].setPicture(mirel::state::LampModel::Lit);
        QVERIFY(picture(3) != dark);
        QCOMPARE(picture(2), dark);
        QCOMPARE(said(3) + said(2), QStringLiteral("onoff"));
        form.RA[3].setPicture(mirel::state::LampModel::Dark);
        QCOMPARE(picture(3), dark);
        QCOMPARE(said(3), QStringLiteral("off"));

        form.InB[5].setVisible(true);
        auto* input = w.control<QCheckBox>(QStringLiteral("InB(5)"));
        QVERIFY(!input->isHidden());
        QCOMPARE(input->text(), QStringLiteral("InB"));
        QTest::mouseClick(input, Qt::LeftButton);
        QCOMPARE(form.InB[5].value(), 1);
        form.InB[5].setValue(0);
        QVERIFY(!input->isChecked());
    }

    void everyControlIsNamedByItsRole() {
        Window w;
        QStringList names;
        for (const char* control : {"Code", "Reg", "SPReg", "W", "InA(3)", "RB(7)", "RW(0)"})
            names << w.control<QWidget>(QLatin1String(control))->accessibleName();
        QCOMPARE(names,
                 (QStringList{"Program memory", "Register file", "Return stack", "W register",
                              "Port A pin 3 input", "Port B pin 7 lamp", "W bit 0"}));
        for (QWidget* widget :
             w.control<QWidget>(QStringLiteral("controls"))->findChildren<QWidget*>())
            QVERIFY2(widget->objectName().isEmpty() || widget->objectName().startsWith("qt_") ||
                         !widget->accessibleName().isEmpty() ||
                         qobject_cast<QLabel*>(widget), // a caption is its own name
                     qPrintable(widget->objectName()));
        // The box's own parts have names of their own.
        QVERIFY(!w.entryLine()->accessibleName().isEmpty());
        QVERIFY(!w.counter()->view()->accessibleName().isEmpty());
    }

    // Every control the user can work or read says what it does, with its key
    // where it has one.
    void everyControlHasATip() {
        Window w;
        QStringList controls = {"Code", "Counter", "Reg",        "SPReg",
                                "W",    "Label5",  "Label5Unit", "Mirel"};
        for (int i = 0; i < 8; ++i)
            for (const char* array : {"RA", "RB", "InA", "InB", "RW", "WRBit"})
                controls << QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i);
        for (const QString& name : controls)
            QVERIFY2(!w.control<QWidget>(name)->toolTip().isEmpty(), qPrintable(name));
        QVERIFY(!w.entryLine()->toolTip().isEmpty());
        const struct {
            const char* button;
            const char* key;
        } keyed[] = {{"Step", "F10"},
                     {"StartKey", "F6"},
                     {"StopKey", "Shift+F5"},
                     {"Fast", "Ctrl+Up"},
                     {"Slow", "Ctrl+Down"}};
        for (const auto& k : keyed)
            QVERIFY2(w.button(k.button)->toolTip().endsWith(QStringLiteral("(%1)").arg(k.key)),
                     qPrintable(w.button(k.button)->toolTip()));
    }

    // Tab walks the controls as the screen shows them: the program, the middle
    // column downwards with the inputs from bit 7 to bit 0, then the stack and
    // the registers.
    void tabFollowsTheScreen() {
        Window w;
        QStringList expected = {"Code", "Counter", "W",        "Mirel",  "Slow",
                                "Step", "Fast",    "StartKey", "StopKey"};
        for (const char* port : {"InA", "InB"})
            for (int bit = 7; bit >= 0; --bit)
                expected << QStringLiteral("%1(%2)").arg(QLatin1String(port)).arg(bit);
        expected << "SPReg"
                 << "Reg";
        QStringList chain;
        QWidget* start = w.list("Code");
        QWidget* at = start;
        do {
            if (expected.contains(at->objectName()) && !chain.contains(at->objectName()))
                chain << at->objectName();
            at = at->nextInFocusChain();
        } while (at != start);
        QCOMPARE(chain, expected);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
