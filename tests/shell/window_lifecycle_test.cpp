// Start-up, shut-down and the placement in the settings store; the menus, the
// toolbar and the commands they run.
#include "shell/frm_main.h"
#include "shell/settings_keys.h"
#include "shell/twips.h"
#include "shell/window_placement.h"
#include "test_services.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QToolBar>
#include <QtTest>

using mirel::shell::frmMain;
using mirel::state::MessageIcon;

namespace {

QString stored(const QString& file, const char* key) {
    QSettings settings(file, QSettings::IniFormat);
    return settings.value(QStringLiteral("Settings/") + QLatin1String(key)).toString();
}

void store(const QString& file, const char* key, const QString& value) {
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue(QStringLiteral("Settings/") + QLatin1String(key), value);
}

int px(double twips) {
    return mirel::shell::placementPixels(twips,
                                         QGuiApplication::primaryScreen()->logicalDotsPerInch());
}

void showAndWait(QWidget& window) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("window not exposed");
}

// What a user sees of the machine: every list's rows, the entry line, the
// buttons' states.
QStringList visibleState(frmMain& window) {
    QStringList out;
    for (auto* list : window.findChildren<QListView*>()) {
        out << list->objectName();
        for (int r = 0; r < list->model()->rowCount(); ++r)
            out << list->model()->index(r, 0).data().toString();
    }
    auto* counter = window.findChild<QComboBox*>(QStringLiteral("Counter"));
    out << counter->lineEdit()->text() << QString::number(counter->count());
    for (auto* button : window.findChildren<QPushButton*>())
        out << button->objectName() + QString::number(button->isEnabled()) +
                   QString::number(button->isVisible());
    return out;
}

// The menu tree as its captions: "-" for a separator, "!" after an item with a shortcut.
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
    void firstStartUsesTheDefaultsRaisedToTheLayout() {
        test::Services s;
        frmMain window(s.services());
        showAndWait(window);
        QCOMPARE(window.frameGeometry().topLeft(), QPoint(px(1000), px(1000)));
        QVERIFY(window.frameGeometry().width() > px(6500));
        QVERIFY(window.frameGeometry().height() > px(6500));
        QCOMPARE(window.form().Code.count(), 0u);
        QCOMPARE(window.form().Reg.count(), 0u);
    }

    void closeStoresThePlacementAndTheNextStartRestoresIt() {
        test::Services s;
        QRect placed;
        {
            auto* window = new frmMain(s.services());
            window->setAttribute(Qt::WA_DeleteOnClose);
            showAndWait(*window);
            // Whole pixels, so that the twips read back unchanged.
            window->move(px(2010), px(1500));
            const QSize frame = window->frameGeometry().size() - window->size();
            window->resize(QSize(px(13500), px(10500)) - frame);
            QTRY_COMPARE(window->frameGeometry(), QRect(px(2010), px(1500), px(13500), px(10500)));
            QPointer<frmMain> watch(window);
            window->mnuFileClose_Click();
            QTRY_VERIFY(watch.isNull()); // closed and deleted
        }
        QCOMPARE(stored(s.settingsFile, "MainLeft"), QStringLiteral("2010"));
        QCOMPARE(stored(s.settingsFile, "MainTop"), QStringLiteral("1500"));
        QCOMPARE(stored(s.settingsFile, "MainWidth"), QStringLiteral("13500"));
        QCOMPARE(stored(s.settingsFile, "MainHeight"), QStringLiteral("10500"));

        frmMain again(s.services());
        showAndWait(again);
        QCOMPARE(again.frameGeometry(), QRect(px(2010), px(1500), px(13500), px(10500)));
    }

    void minimizedCloseStoresNothing() {
        test::Services s;
        store(s.settingsFile, "MainLeft", QStringLiteral("3000"));
        frmMain window(s.services());
        showAndWait(window);
        window.move(px(4500), px(4500));
        window.showMinimized();
        QTRY_VERIFY(window.isMinimized());
        window.close();
        QCOMPARE(stored(s.settingsFile, "MainLeft"), QStringLiteral("3000"));
        QVERIFY(stored(s.settingsFile, "MainTop").isEmpty());
    }

    // Unreadable values read as their defaults; a window is never smaller than
    // the layout, and one that no screen shows comes back onto the primary.
    void storedPlacementIsReadAndFitted() {
        using mirel::shell::readTwips;
        QCOMPARE(readTwips("2000", 1000), 2000.0);
        QCOMPARE(readTwips(" 1500.5 ", 1000), 1500.5);
        QCOMPARE(readTwips("", 1000), 1000.0);
        QCOMPARE(readTwips("12ab", 1000), 1000.0);
        QCOMPARE(readTwips("nan", 1000), 1000.0);

        using mirel::shell::fitOnScreens;
        const QRect primary(0, 0, 1280, 900), second(1280, 0, 1024, 768);
        const QList<QRect> screens{primary, second};
        const QSize minimum(800, 600);
        QCOMPARE(fitOnScreens({67, 67, 433, 433}, minimum, screens, primary),
                 QRect(67, 67, 800, 600));
        QCOMPARE(fitOnScreens({1500, 100, 900, 700}, minimum, screens, primary),
                 QRect(1500, 100, 900, 700)); // on the second screen
        QCOMPARE(fitOnScreens({5000, -3000, 900, 700}, minimum, screens, primary),
                 QRect(380, 0, 900, 700));
        QCOMPARE(fitOnScreens({-880, 200, 900, 700}, minimum, screens, primary),
                 QRect(0, 200, 900, 700)); // 20 pixels showing cannot be grabbed
        QCOMPARE(fitOnScreens({-800, 200, 900, 700}, minimum, screens, primary),
                 QRect(-800, 200, 900, 700));
    }

    void newTwiceEqualsNewOnce() {
        test::Services s;
        frmMain window(s.services());
        showAndWait(window);
        window.tbToolBar_ButtonClick(QStringLiteral("New"));
        const QStringList once = visibleState(window);
        const QRect placed = window.frameGeometry();
        window.move(placed.topLeft() + QPoint(40, 40));
        window.tbToolBar_ButtonClick(QStringLiteral("New"));
        QCOMPARE(visibleState(window), once);
        QCOMPARE(window.frameGeometry(), placed);
        window.tbToolBar_ButtonClick(QStringLiteral("new")); // keys compare exactly
        QCOMPARE(visibleState(window), once);
    }

    void menusToolbarAndTheirMessages() {
        test::Services s;
        frmMain window(s.services());
        showAndWait(window);
        QCOMPARE(menuTree(window.menuBar()),
                 QStringLiteral("&File[&Open...|-|&Save|-|Propert&ies|-|&Close] "
                                "&Help[&Contents|-|&About ]"));

        auto* bar = window.findChild<QToolBar*>(QStringLiteral("tbToolBar"));
        QStringList keys;
        for (QAction* action : bar->actions()) {
            keys << action->data().toString();
            QCOMPARE(action->toolTip(), action->data().toString());
            QVERIFY(!action->icon().pixmap(64).isNull());
        }
        QCOMPARE(keys, (QStringList{"New", "Open", "Save"}));
        // One Open command and one Save command, shared by menu and toolbar.
        QVERIFY(bar->actions().at(1)->associatedObjects().contains(
            window.menuBar()->actions().at(0)->menu()));

        window.findChild<QAction*>(QStringLiteral("mnuFileProperties"))->trigger();
        window.findChild<QAction*>(QStringLiteral("mnuHelpContents"))->trigger();
        const std::vector<test::Message> expected{
            {"There is no Properties associated with this project.", "Mirelsim",
             MessageIcon::Information},
            {"There is no Help Contents associated with this project.", "Mirelsim",
             MessageIcon::Information},
        };
        QCOMPARE(s.messages.shown, expected);
        QCOMPARE(window.form().Code.count(), 0u);
    }

    void closeUnloadsAnOpenAboutFirst() {
        test::Services s;
        auto* window = new frmMain(s.services());
        window->setAttribute(Qt::WA_DeleteOnClose);
        showAndWait(*window);
        QPointer<frmMain> watch(window);
        bool aboutWasOpen = false;
        QTimer::singleShot(0, window, [&] {
            aboutWasOpen = watch && watch->about() && watch->about()->isVisible();
            watch->close();
        });
        window->mnuHelpAbout_Click();
        QVERIFY(aboutWasOpen);
        QTRY_VERIFY(watch.isNull());
        QVERIFY(!stored(s.settingsFile, "MainWidth").isEmpty());
    }
};

QTEST_MAIN(WindowLifecycleTest)
#include "window_lifecycle_test.moc"
