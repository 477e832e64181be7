// The layout's zoom: every step keeps the controls inside the window and
// scales their fonts; the keys step it, and the settings keep it.
#include "files/open_program.h"
#include "shell/frm_main.h"
#include "shell/list_columns.h"
#include "shell/row_list_view.h"
#include "shell/zoom.h"
#include "state/platform.h"
#include "test_services.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>

#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QtTest>

using mirel::shell::frmMain;

namespace {

std::unique_ptr<frmMain> start(test::Services& s) {
    auto window = std::make_unique<frmMain>(s.services());
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("window not exposed");
    return window;
}

QWidget* layoutOf(frmMain& w) {
    return w.findChild<QWidget*>(QStringLiteral("controls"));
}

// The whole layout shows in the window's client area, without scrolling.
bool showsWhole(frmMain& w) {
    const QSize area = w.findChild<QScrollArea*>()->viewport()->size();
    return layoutOf(w)->width() <= area.width() && layoutOf(w)->height() <= area.height();
}

qreal points(frmMain& w, const char* name) {
    return w.findChild<QWidget*>(QLatin1String(name))->font().pointSizeF();
}

int globalLeft(const QWidget* widget, const QRect& rect) {
    return widget->mapToGlobal(rect.topLeft()).x();
}

// Every field of every line of a list lies under its heading's word, whole
// and clear of the next column, and inside the list without scrolling; the
// heading's words are whole too. The test splits and measures the lines
// itself: tabs part program lines, tabs and blanks register lines.
QString columnFault(const QListView& list, const QString& at) {
    const auto& view = static_cast<const mirel::shell::RowListView&>(list);
    auto* heading = list.parentWidget()->findChild<mirel::shell::ColumnHeading*>(
        list.objectName() == QLatin1String("Code") ? QStringLiteral("Label3")
                                                   : QStringLiteral("Label2"));
    const QList<QRect> words = heading->wordRects();
    const QFontMetrics metrics(list.font());
    const int viewEnd =
        globalLeft(list.viewport(), list.viewport()->rect()) + list.viewport()->width() -
        (list.verticalScrollBar()->isVisible() ? 0 : list.verticalScrollBar()->sizeHint().width());
    if (words.size() != 3)
        return at + QStringLiteral(": heading words %1").arg(words.size());
    for (const QRect& word : words)
        if (word.right() >= heading->width())
            return at + QStringLiteral(": heading cut");
    const QRegularExpression parts(list.objectName() == QLatin1String("Code")
                                       ? QStringLiteral("\\t")
                                       : QStringLiteral("[\\t ]+"));
    for (int row = 0; row < list.model()->rowCount(); ++row) {
        const QString line = list.model()->index(row, 0).data().toString();
        const QStringList fields = line.split(parts);
        const QList<QRect> drawn = view.fieldRects(row);
        if (drawn.size() != fields.size())
            return at + QStringLiteral(": %1 drawn as %2 fields").arg(line).arg(drawn.size());
        for (qsizetype i = 0; i < fields.size(); ++i) {
            const int left = globalLeft(list.viewport(), drawn[i]);
            const int column = globalLeft(heading, words[i]);
            const int end = i + 1 < words.size() ? globalLeft(heading, words[i + 1]) : viewEnd;
            const int width = metrics.horizontalAdvance(fields[i]);
            if (qAbs(left - column) > 1 || left + width > end)
                return at + QStringLiteral(": '%1' of '%2' at %3..%4, its column %5..%6")
                                .arg(fields[i], line)
                                .arg(left)
                                .arg(left + width)
                                .arg(column)
                                .arg(end);
        }
    }
    return {};
}

} // namespace

class ZoomTest : public QObject {
    Q_OBJECT
private slots:
    // At every step each control lies inside the layout, and the layout's
    // fonts are the design's points times the zoom.
    void everyStepKeepsTheControlsInsideAndScalesTheirFonts() {
        test::Services s;
        auto w = start(s);
        const qreal list = points(*w, "Code");
        const qreal lampLabel = points(*w, "LabelRA0");
        const qreal bitLabel = points(*w, "WRBit(0)"); // inherits its frame's font
        const qreal w18 = points(*w, "W");
        auto* controls = w->findChild<QWidget*>(QStringLiteral("controls"));
        const QSize actual = controls->size();
        for (int percent : mirel::shell::zoomSteps) {
            w->setZoom(percent);
            const QString at = QStringLiteral("%1%").arg(percent);
            QCOMPARE(controls->width(), qRound(actual.width() * percent / 100.0));
            for (QWidget* control : controls->findChildren<QWidget*>()) {
                // The parts lists and boxes lay out themselves are not the layout's.
                const QString name = control->objectName();
                if (control->isHidden() || name.isEmpty() || name.startsWith(QLatin1String("qt_")))
                    continue;
                const QRect inLayout(control->mapTo(controls, QPoint()), control->size());
                QVERIFY2(controls->rect().contains(inLayout),
                         qPrintable(at + QLatin1Char(' ') + control->objectName()));
            }
            QCOMPARE(points(*w, "Code"), list * percent / 100);
            QCOMPARE(points(*w, "LabelRA0"), lampLabel * percent / 100);
            QCOMPARE(points(*w, "WRBit(0)"), bitLabel * percent / 100);
            QCOMPARE(points(*w, "W"), w18 * percent / 100);
            // The lamps grow with the layout (480 twips at 100%).
            const int lamp = w->findChild<QWidget*>(QStringLiteral("RA(0)"))->width();
            QVERIFY2(qAbs(lamp - 32 * percent / 100.0) <= 1, qPrintable(at));
        }
        w->setZoom(mirel::shell::actualSize);
        QCOMPARE(controls->size(), actual);
        QCOMPARE(points(*w, "Code"), list);
    }

    // At every zoom step, at the zoom the window opens with on its screen and
    // maximised, the program list's operands, the register list's values and
    // bits, the entry line's line and W's bits are whole, each list field
    // under its heading; run again on a screen at 200% scaling.
    void everyFieldIsWholeUnderItsHeading() {
        test::Services s;
        auto w = start(s);
        const double fit = w->shownZoom();
        mirel::state::NoWindowPlacement placement;
        mirel::files::loadProgram(w->form(), placement,
                                  {"0000\tJMP\t000B", "0001\tRES\t0B,2", "0002\tLDA\tA0 H",
                                   "0003\tADD\t0D W", "0004\tRTI\t", "0005\tJSR\t0DDD"});
        w->form().Reg.replaceAt(11, "000B\tDD   11011101");
        w->form().Reg.replaceAt(512, "0200\tBB   10111011");
        const struct {
            const char* name;
            std::function<void()> zoom;
        } rows[] = {
            {"fit", [&] { w->setZoom(static_cast<int>(fit)); }},
            {"50", [&] { w->setZoom(50); }},
            {"80", [&] { w->setZoom(80); }},
            {"90", [&] { w->setZoom(90); }},
            {"100", [&] { w->setZoom(100); }},
            {"150", [&] { w->setZoom(150); }},
            {"200", [&] { w->setZoom(200); }},
            {"300", [&] { w->setZoom(300); }},
            {"maximised",
             [&] {
                 w->setZoom(static_cast<int>(fit));
                 w->showMaximized();
                 QTRY_VERIFY(w->shownZoom() > fit);
             }},
        };
        auto* entry = w->findChild<QComboBox*>(QStringLiteral("Counter"))->lineEdit();
        for (const auto& row : rows) {
            row.zoom();
            const QString at =
                QStringLiteral("%1 (%2%)").arg(QLatin1String(row.name)).arg(w->shownZoom());
            for (const char* list : {"Code", "Reg"}) {
                const QString fault =
                    columnFault(*w->findChild<QListView*>(QLatin1String(list)), at);
                QVERIFY2(fault.isEmpty(), qPrintable(fault));
            }
            for (int line = 0; line < w->form().Code.count(); ++line) {
                w->form().Code.select(line);
                const int width = QFontMetrics(entry->font()).horizontalAdvance(entry->text());
                QVERIFY2(width <= entry->width() - 4,
                         qPrintable(at + QStringLiteral(": entry '%1' %2 wide in %3")
                                             .arg(entry->text())
                                             .arg(width)
                                             .arg(entry->width())));
            }
            for (int bit = 0; bit < 8; ++bit) {
                auto* label = w->findChild<QLabel*>(QStringLiteral("RW(%1)").arg(bit));
                QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <=
                             label->contentsRect().width(),
                         qPrintable(at));
            }
        }
    }

    // Ctrl++ and Ctrl+= zoom in, Ctrl+- out, both stopping at the ends, and
    // Ctrl+0 goes back to the actual size; the next start opens at the zoom
    // last chosen.
    void keysStepTheZoomAndTheSettingsKeepIt() {
        test::Services s;
        const struct {
            QKeyCombination key;
            int times;
            int zoom;
        } rows[] = {
            {Qt::CTRL | Qt::Key_Plus, 1, 110},  {Qt::CTRL | Qt::Key_Equal, 1, 125},
            {Qt::CTRL | Qt::Key_Plus, 20, 300}, {Qt::CTRL | Qt::Key_0, 1, 100},
            {Qt::CTRL | Qt::Key_Minus, 2, 80},  {Qt::CTRL | Qt::Key_Minus, 20, 50},
            {Qt::CTRL | Qt::Key_Plus, 8, 150},
        };
        {
            auto w = start(s);
            QCOMPARE(w->zoom(), 100);
            for (const auto& row : rows) {
                for (int i = 0; i < row.times; ++i)
                    QTest::keyClick(w.get(), row.key.key(), row.key.keyboardModifiers());
                QCOMPARE(w->zoom(), row.zoom);
            }
        }
        auto again = start(s);
        QCOMPARE(again->zoom(), 150);
        QCOMPARE(points(*again, "Code"), 12 * 1.5);
        again.reset();
        // A stored zoom that is no step opens at the actual size.
        for (const char* text : {"120", "abc", "", "100000", "-50"}) {
            QSettings(s.settingsFile, QSettings::IniFormat)
                .setValue(QStringLiteral("Settings/Zoom"), QLatin1String(text));
            QCOMPARE(start(s)->zoom(), 100);
        }
    }

    // A window opens inside the screen's free area with its whole layout
    // shown, at the stored zoom or the largest step below it that fits; run
    // again on a 1600x1000 screen at 200% scaling (800x500 to the window).
    void theWindowOpensInsideTheScreenZoomedOutToFit() {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QRect free = screen->availableGeometry();
        for (int stored : {300, 150, 100}) {
            test::Services s;
            QSettings(s.settingsFile, QSettings::IniFormat)
                .setValue(QStringLiteral("Settings/Zoom"), QString::number(stored));
            auto w = start(s);
            const QString at =
                QStringLiteral("stored %1%, opened at %2%").arg(stored).arg(w->zoom());
            QVERIFY2(free.contains(w->frameGeometry()), qPrintable(at));
            QVERIFY2(showsWhole(*w), qPrintable(at));
            QVERIFY2(w->zoom() <= stored, qPrintable(at));
            if (w->zoom() < stored) {
                // One step larger would not have fitted.
                const QSize chrome = w->size() - w->findChild<QScrollArea*>()->size();
                const double larger = mirel::shell::nextZoom(w->zoom(), +1) / w->shownZoom();
                const QSize needed = QSize(qRound(layoutOf(*w)->width() * larger),
                                           qRound(layoutOf(*w)->height() * larger)) +
                                     chrome + (w->frameGeometry().size() - w->size());
                QVERIFY2(needed.width() > free.width() || needed.height() > free.height(),
                         qPrintable(at));
            }
            if (screen->devicePixelRatio() == 2)
                QVERIFY2(w->zoom() < 100, qPrintable(at));
            // The zoom is kept as chosen, not as the screen allowed.
            w.reset();
            QCOMPARE(QSettings(s.settingsFile, QSettings::IniFormat)
                         .value(QStringLiteral("Settings/Zoom"))
                         .toInt(),
                     stored);
        }
    }

    // A maximised window scales the layout to fill it, keeping its
    // proportions; back to normal, and after a zoom out, the window takes
    // the layout's size again.
    void aLargerWindowIsFilledAndAZoomOutShrinksIt() {
        test::Services s;
        auto w = start(s);
        QWidget* layout = layoutOf(*w);
        const QSize actual = layout->size();
        w->showMaximized();
        QTRY_VERIFY(w->shownZoom() > 100);
        QVERIFY(showsWhole(*w));
        const QSize area = w->findChild<QScrollArea*>()->viewport()->size();
        QVERIFY(layout->width() >= area.width() - 1 || layout->height() >= area.height() - 1);
        QVERIFY(qAbs(layout->width() * actual.height() - layout->height() * actual.width()) <=
                actual.width() + actual.height());
        QCOMPARE(points(*w, "Code"), 12 * w->shownZoom() / 100);
        // Zoom In goes on from what is shown.
        const double filled = w->shownZoom();
        QTest::keyClick(w.get(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(w->zoom(), mirel::shell::nextZoom(static_cast<int>(filled), +1));
        QTest::keyClick(w.get(), Qt::Key_0, Qt::ControlModifier);

        w->showNormal();
        QTRY_COMPARE(w->shownZoom(), 100.0);
        QTRY_COMPARE(layout->size(), actual);
        w->setZoom(80);
        QTRY_VERIFY(w->size().width() < actual.width());
        QCOMPARE(w->shownZoom(), 80.0);
        QVERIFY(showsWhole(*w));
    }
};

QTEST_MAIN(ZoomTest)
#include "zoom_test.moc"
