// Start-up, shut-down and the placement in the settings store; the menus, the
// toolbar and the commands they run.
#include "shell/frm_instruction_set.h"
#include "shell/frm_main.h"
#include "shell/twips.h"
#include "test_services.h"

#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QSettings>
#include <QTableWidget>
#include <QToolBar>
#include <QtTest>

using mirel::shell::frmInstructionSet;
using mirel::shell::frmMain;

namespace {

QString stored(const QString& file, const char* key) {
    return QSettings(file, QSettings::IniFormat)
        .value(QStringLiteral("Settings/") + QLatin1String(key))
        .toString();
}

int px(double twips) {
    return mirel::shell::placementPixels(twips,
                                         QGuiApplication::primaryScreen()->logicalDotsPerInch());
}

// A shown window that deletes itself when closed, as the program's is.
QPointer<frmMain> start(test::Services& s) {
    auto* window = new frmMain(s.services());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        qFatal("window not exposed");
    return window;
}

// The machine as the user sees it, and where the window is.
std::vector<std::string> machine(frmMain& w) {
    auto out = w.form().Reg.lines();
    const auto& f = w.form();
    out.insert(out.end(), f.Code.lines().begin(), f.Code.lines().end());
    out.insert(out.end(), f.SPReg.lines().begin(), f.SPReg.lines().end());
    out.push_back(f.Counter.editText());
    for (const auto* b : {&f.Step, &f.StartKey, &f.StopKey, &f.Mirel})
        out.push_back(std::to_string(b->enabled()) + std::to_string(b->visible()));
    const QRect g = w.frameGeometry();
    out.push_back(std::to_string(g.x()) + "," + std::to_string(g.y()) + "," +
                  std::to_string(g.width()) + "," + std::to_string(g.height()));
    return out;
}

// The menu tree as captions: "-" a separator, "!" an item with a shortcut.
QString menuTree(QMenuBar* bar) {
    QStringList menus;
    for (QAction* top : bar->actions()) {
        QStringList items;
        for (QAction* item : top->menu()->actions())
            items << (item->isSeparator() ? QStringLiteral("-") : item->text()) +
                         (item->shortcut().isEmpty() ? QString() : QStringLiteral("!"));
        menus << top->text() + QLatin1Char('[') + items.join(QLatin1Char('|')) + QLatin1Char(']');
    }
    return menus.join(QLatin1Char(' '));
}

} // namespace

class WindowLifecycleTest : public QObject {
    Q_OBJECT

private slots:
    // First start at the defaults, raised to the layout; a close stores the
    // placement (whole pixels, so the twips read back unchanged) and the next
    // start restores it; a minimized close stores nothing.
    void placementLivesInTheSettingsBetweenStarts() {
        test::Services s;
        QPointer<frmMain> first = start(s);
        QCOMPARE(first->frameGeometry().topLeft(), QPoint(px(1000), px(1000)));
        QVERIFY(first->width() > px(6500) && first->height() > px(6500));
        QVERIFY(first->form().Code.empty() && first->form().Reg.empty());

        const QSize frame = first->frameGeometry().size() - first->size();
        first->move(px(2010), px(1500));
        first->resize(QSize(px(12000), px(10500)) - frame);
        QTRY_COMPARE(first->frameGeometry(), QRect(px(2010), px(1500), px(12000), px(10500)));
        first->mnuFileClose_Click();
        QTRY_VERIFY(first.isNull());
        QStringList values;
        for (const char* key : {"MainLeft", "MainTop", "MainWidth", "MainHeight"})
            values << stored(s.settingsFile, key);
        QCOMPARE(values, (QStringList{"2010", "1500", "12000", "10500"}));

        QPointer<frmMain> second = start(s);
        QCOMPARE(second->frameGeometry(), QRect(px(2010), px(1500), px(12000), px(10500)));
        second->move(px(4500), px(4500));
        second->showMinimized();
        QTRY_VERIFY(second->isMinimized());
        second->close();
        QTRY_VERIFY(second.isNull());
        QCOMPARE(stored(s.settingsFile, "MainLeft"), QStringLiteral("2010"));
    }

    // A window that no screen shows comes back onto the primary screen; a
    // value that is no number reads as its default.
    void placementOffEveryScreenMovesOntoThePrimary() {
        test::Services s;
        QSettings settings(s.settingsFile, QSettings::IniFormat);
        settings.setValue(QStringLiteral("Settings/MainLeft"), QStringLiteral("-90000"));
        settings.setValue(QStringLiteral("Settings/MainTop"), QStringLiteral("12ab"));
        settings.sync();
        QPointer<frmMain> window = start(s);
        QCOMPARE(window->frameGeometry().topLeft(),
                 QPoint(QGuiApplication::primaryScreen()->availableGeometry().left(), px(1000)));
        delete window;
    }

    // Stored values that would open the window off screen, larger than the
    // screen, or beyond what a pixel count holds: the window opens wholly on
    // the screen's free area, and a close stores where it really was.
    void hostilePlacementOpensAUsableWindow() {
        const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
        QSize layout;
        {
            test::Services s;
            QSettings settings(s.settingsFile, QSettings::IniFormat);
            for (const char* key : {"MainWidth", "MainHeight"})
                settings.setValue(QStringLiteral("Settings/") + QLatin1String(key), 0);
            settings.sync();
            QPointer<frmMain> window = start(s);
            layout = window->frameGeometry().size();
            delete window;
        }
        constexpr int whole = -2;
        const struct {
            const char *left, *top, *width, *height;
            QRect opens; // -1 in a size: the layout's, -2 the free area's; -1 in a
                         // position: flush with the far edge
        } rows[] = {
            {"-300000", "-300000", "400000", "400000", QRect(0, 0, whole, whole)},
            {"1000000", "1000000", "1000000", "1000000", QRect(0, 0, whole, whole)},
            {"2147483647", "2147483647", "2147483647", "2147483647", QRect(0, 0, whole, whole)},
            {"1e11", "-1e11", "1e11", "1e11", QRect(0, 0, whole, whole)},
            {"1e308", "1e308", "-1e308", "-1e308", QRect(-1, -1, -1, -1)},
            {"-2147483648", "0", "-2147483648", "9750", QRect(0, 0, -1, 650)},
            {"inf", "-inf", "nan", "1e400", QRect(67, 67, -1, -1)},
            {"10500", "11250", "3000", "4500", QRect(700, -1, -1, -1)},
            {"0", "0", "11250", "11250", QRect(0, 0, -1, 750)},
        };
        for (const auto& row : rows) {
            const QByteArray what =
                QByteArray(row.left) + " " + row.top + " " + row.width + " " + row.height;
            test::Services s;
            QSettings settings(s.settingsFile, QSettings::IniFormat);
            settings.setValue(QStringLiteral("Settings/MainLeft"), QLatin1String(row.left));
            settings.setValue(QStringLiteral("Settings/MainTop"), QLatin1String(row.top));
            settings.setValue(QStringLiteral("Settings/MainWidth"), QLatin1String(row.width));
            settings.setValue(QStringLiteral("Settings/MainHeight"), QLatin1String(row.height));
            settings.sync();
            QPointer<frmMain> window = start(s);
            const QRect opened = window->frameGeometry();
            const auto length = [](int wanted, int ofLayout, int ofArea) {
                return wanted == whole ? ofArea : wanted < 0 ? ofLayout : wanted;
            };
            const QSize size(length(row.opens.width(), layout.width(), free.width()),
                             length(row.opens.height(), layout.height(), free.height()));
            const QRect expected(
                QPoint(row.opens.x() < 0 ? free.right() + 1 - size.width() : row.opens.x(),
                       row.opens.y() < 0 ? free.bottom() + 1 - size.height() : row.opens.y()),
                size);
            QVERIFY2(opened == expected, what + " opened at " + QByteArray::number(opened.x()) +
                                             "," + QByteArray::number(opened.y()) + " " +
                                             QByteArray::number(opened.width()) + "x" +
                                             QByteArray::number(opened.height()));
            QVERIFY2(free.contains(window->menuBar()->mapToGlobal(QPoint(0, 0))), what);
            window->close();
            QTRY_VERIFY(window.isNull());
            QStringList values;
            for (const char* key : {"MainLeft", "MainTop", "MainWidth", "MainHeight"})
                values << stored(s.settingsFile, key);
            QVERIFY2(values == (QStringList{QString::number(opened.x() * 15),
                                            QString::number(opened.y() * 15),
                                            QString::number(opened.width() * 15),
                                            QString::number(opened.height() * 15)}),
                     what + " stored " + values.join(QLatin1Char(' ')).toLatin1());
        }
    }

    void newTwiceEqualsNewOnce() {
        test::Services s;
        QPointer<frmMain> window = start(s);
        window->tbToolBar_ButtonClick(QStringLiteral("New"));
        const auto once = machine(*window);
        window->move(window->pos() + QPoint(40, 40));
        window->tbToolBar_ButtonClick(QStringLiteral("New"));
        QCOMPARE(machine(*window), once);
        delete window;
    }

    void menusToolbarAndTheirMessages() {
        test::Services s;
        QPointer<frmMain> window = start(s);
        QCOMPARE(menuTree(window->menuBar()),
                 QStringLiteral(
                     "&File[&Open...!|Open &Exercise...|E&xamples|-|&Save!|-|Propert&ies|-|&Close] "
                     "&Edit[&Undo!|&Redo!|-|&Insert Line!|&Delete Line!] "
                     "&Debug[Toggle &Breakpoint!|-|Run at &Full Speed!|Step &Back!|-|"
                     "&Reset!|-|&Device|-|&Step!|S&tart!|Sto&p!|F&aster!|S&lower!|-|"
                     "&Check Exercise!|-|&Watch|Stat&istics...] "
                     "&View[Zoom &In!|Zoom &Out!|&Actual Size!|-|&Timeline] "
                     "&Help[&Contents|-|&Instruction Set!|&About ]"));
        // New, Open and Save by key; Open and Save are the File menu's own commands.
        const QList<QAction*> buttons = window->findChild<QToolBar*>()->actions();
        QStringList keys;
        for (QAction* action : buttons)
            keys << action->data().toString() + QLatin1Char('=') + action->toolTip();
        QCOMPARE(keys,
                 (QStringList{"New=New (Ctrl+N)", "Open=Open (Ctrl+O)", "Save=Save (Ctrl+S)"}));
        QVERIFY(window->menuBar()->actions().at(0)->menu()->actions().contains(buttons.at(1)));

        window->findChild<QAction*>(QStringLiteral("mnuFileProperties"))->trigger();
        window->findChild<QAction*>(QStringLiteral("mnuHelpContents"))->trigger();
        const auto info = mirel::state::MessageIcon::Information;
        QCOMPARE(
            s.messages.shown,
            (std::vector<test::Message>{
                {"There is no Properties associated with this project.", "Mirelsim", info},
                {"There is no Help Contents associated with this project.", "Mirelsim", info}}));
        delete window;
    }

    // F1 opens the instruction set beside the window, not modal, and again
    // the same window with its filter; the filter keeps the lines with every
    // word. The register list and W name what they show in their tips.
    void instructionSetAndRegisterNames() {
        test::Services s;
        QPointer<frmMain> window = start(s);
        window->activateWindow();
        QTest::keyClick(window, Qt::Key_F1);
        QPointer<frmInstructionSet> reference = window->instructionSet();
        QVERIFY(reference && reference->isVisible());
        QVERIFY(!reference->isModal() && QApplication::activeModalWidget() == nullptr);
        QCOMPARE(reference->table()->rowCount(), 37);
        QCOMPARE(reference->table()->item(0, 5)->text(), QStringLiteral("00 0111 dfff ffff"));
        // Beside the main window on the screen's free area, as far as it has room.
        const QRect free = window->screen()->availableGeometry();
        QVERIFY(free.contains(reference->frameGeometry()));
        QVERIFY(reference->frameGeometry().left() >= window->frameGeometry().right() ||
                reference->frameGeometry().right() == free.right());
        QTest::keyClicks(reference->filter(), QStringLiteral("skip"));
        QCOMPARE(reference->shownMnemonics(), (QStringList{"DEZ", "INZ", "JBR", "JBS"}));
        // Esc closes it and its place is kept; it opens again with its filter.
        reference->move(free.topLeft() + QPoint(40, 30));
        const QPoint left = reference->frameGeometry().topLeft();
        QApplication::setActiveWindow(reference);
        QTRY_COMPARE(QApplication::activeWindow(), reference.data());
        QTest::keyClick(reference.data(), Qt::Key_Escape);
        QVERIFY(!reference->isVisible());
        window->findChild<QAction*>(QStringLiteral("mnuHelpInstructionSet"))->trigger();
        QCOMPARE(window->instructionSet(), reference.data());
        QVERIFY(reference->isVisible());
        QCOMPARE(reference->shownMnemonics().size(), 4);
        QCOMPARE(s.settings.value("Mirelsim", "Settings", "InstructionSetLeft", "none"),
                 std::to_string(left.x() * 15));

        window->tbToolBar_ButtonClick(QStringLiteral("New"));
        const QModelIndex status =
            window->findChild<QListView*>(QStringLiteral("Reg"))->model()->index(0x83, 0);
        QVERIFY(status.data(Qt::ToolTipRole)
                    .toString()
                    .startsWith(QStringLiteral("0083     00   00000000\nSTATUS (bank 1 copy)\n"
                                               "Bits 7 to 0: IRP RP1 RP0 TO PD Z DC C\n")));
        const QString aboutW = QStringLiteral("\nW, the working register");
        QVERIFY(window->findChild<QLineEdit*>(QStringLiteral("W"))->toolTip().contains(aboutW));
        QVERIFY(window->findChild<QWidget*>(QStringLiteral("RW(3)"))
                    ->toolTip()
                    .startsWith(QStringLiteral("Bit 3 of W") + aboutW));
        window->close();
        QTRY_VERIFY(window.isNull());
        QVERIFY(reference.isNull());
    }

    void closeUnloadsAnOpenAboutFirst() {
        test::Services s;
        QPointer<frmMain> window = start(s);
        bool aboutWasOpen = false;
        QTimer::singleShot(0, window, [&] {
            aboutWasOpen = window->about() && window->about()->isVisible();
            window->close();
        });
        window->mnuHelpAbout_Click();
        QVERIFY(aboutWasOpen);
        QTRY_VERIFY(window.isNull());
        QVERIFY(!stored(s.settingsFile, "MainWidth").isEmpty());
    }
};

QTEST_MAIN(WindowLifecycleTest)
#include "window_lifecycle_test.moc"
