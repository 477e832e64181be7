// The layout's zoom: every step keeps the controls inside the window and
// scales their fonts; the keys step it, and the settings keep it.
#include "shell/frm_main.h"
#include "shell/zoom.h"
#include "test_services.h"

#include <QLabel>
#include <QListView>
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

qreal points(frmMain& w, const char* name) {
    return w.findChild<QWidget*>(QLatin1String(name))->font().pointSizeF();
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
        const qreal w18 = points(*w, "W");
        auto* controls = w->findChild<QWidget*>(QStringLiteral("controls"));
        const QSize actual = controls->size();
        // The register column ends 15 twips past the design's width: one
        // pixel at 100%, as many as the zoom makes of it.
        const auto inside = [controls](int percent) {
            return controls->rect().adjusted(0, 0, (percent + 99) / 100, 0);
        };
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
                QVERIFY2(inside(percent).contains(inLayout),
                         qPrintable(at + QLatin1Char(' ') + control->objectName()));
            }
            QCOMPARE(points(*w, "Code"), list * percent / 100);
            QCOMPARE(points(*w, "LabelRA0"), lampLabel * percent / 100);
            QCOMPARE(points(*w, "W"), w18 * percent / 100);
            // The lamps grow with the layout (480 twips at 100%).
            const int lamp = w->findChild<QWidget*>(QStringLiteral("RA(0)"))->width();
            QVERIFY2(qAbs(lamp - 32 * percent / 100.0) <= 1, qPrintable(at));
        }
        w->setZoom(mirel::shell::actualSize);
        QCOMPARE(controls->size(), actual);
        QCOMPARE(points(*w, "Code"), list);
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
};

QTEST_MAIN(ZoomTest)
#include "zoom_test.moc"
