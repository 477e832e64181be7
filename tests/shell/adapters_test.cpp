#include "shell/counter_box.h"
#include "shell/examples_folder.h"
#include "shell/list_selection.h"
#include "shell/qt_file_dialog.h"
#include "shell/qt_platform.h"
#include "shell/row_list_view.h"
#include "shell/text_list_model.h"
#include "state/main_form.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstdio>

using namespace mirel;

namespace {

std::vector<std::string> program(int lines) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(lines));
    for (int i = 0; i < lines; ++i)
        out.push_back(
            QStringLiteral("%1\tNOP\t").arg(i, 4, 16, QLatin1Char('0')).toUpper().toStdString());
    return out;
}

// A list view of the program as the window wires one, shown.
shell::TextListModel* showProgram(QListView& view, state::TextList& code) {
    view.resize(200, 300);
    view.setUniformItemSizes(true);
    auto* model = new shell::TextListModel(code, &view);
    view.setModel(model);
    new shell::ListSelectionSync(view, *model);
    view.show();
    return model;
}

// Counts the click events the core hears on a list.
struct ClickCounter : state::TextListObserver {
    int clicks = 0;
    void selectionChanged(int) override { ++clicks; }
};

} // namespace

class AdaptersTest : public QObject {
    Q_OBJECT

private slots:
    void listModelReportsEachChangeAsRows() {
        state::TextList list;
        shell::TextListModel model(list);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

        list.append("a");
        list.append("c");
        list.insertAt(1, "b");
        QCOMPARE(inserted.last().at(1).toInt(), 1);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(1).data().toString(), QStringLiteral("b"));

        list.replaceAt(2, "C\xB5"); // 8-bit text
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.last().at(0).toModelIndex().row(), 2);
        QCOMPARE(changed.last().at(1).toModelIndex().row(), 2);
        QCOMPARE(model.index(2).data().toString(), QStringLiteral("C\u00B5"));

        list.removeAt(0);
        QCOMPARE(removed.last().at(1).toInt(), 0);
        QCOMPARE(model.index(0).data().toString(), QStringLiteral("b"));
        QCOMPARE(reset.count(), 0);

        list.assign(program(100));
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), 100);
        list.clear();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(inserted.count(), 3);
    }

    void selectionFollowsTheCoreWithoutEchoingBack() {
        state::MainForm form;
        form.Code.assign(program(40000));
        QListView view;
        auto* model = showProgram(view, form.Code);
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        ClickCounter clicks;
        form.Code.addObserver(&clicks);

        form.Code.select(39990);
        QCOMPARE(clicks.clicks, 1); // the highlight moving is not a second click
        QCOMPARE(view.currentIndex().row(), 39990);
        QVERIFY(view.viewport()->rect().intersects(view.visualRect(view.currentIndex())));

        // A user's click selects in the core, once.
        const QModelIndex row = model->index(39991);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(row).center());
        QCOMPARE(form.Code.selectedIndex(), 39991);
        QCOMPARE(clicks.clicks, 2);
        // Counter was refilled from the clicked line by the core's click action.
        QCOMPARE(form.Counter.entryCount(), 9);

        // Lines inserted above move the highlight with the selected line.
        form.Code.insertAt(0, "X");
        QCOMPARE(view.currentIndex().row(), 39992);
        form.Code.removeAt(39992);
        QVERIFY(!view.selectionModel()->hasSelection());
        QCOMPARE(form.Code.selectedIndex(), -1);
        QCOMPARE(clicks.clicks, 2);
        form.Code.removeObserver(&clicks);
    }

    // A run moves the selection a line a step and the list scrolls with it;
    // the scroll bar skips repaints that would show the same picture. After
    // every step what the window holds must be what a fresh paint shows, the
    // handle having moved many times on the way.
    void scrollBarOnScreenFollowsEveryStep() {
        state::MainForm form;
        form.Code.assign(program(2000));
        shell::RowListView view;
        showProgram(view, form.Code);
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QScrollBar* bar = view.verticalScrollBar();
        QVERIFY(bar->isVisible());
        const auto onScreen = [&] {
            const QRect area(bar->mapTo(&view, QPoint(0, 0)), bar->size());
            return view.screen()
                ->grabWindow(view.winId(), area.x(), area.y(), area.width(), area.height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };
        const auto painted = [&] {
            return bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        QCOMPARE(onScreen(), painted());
        const QImage first = painted();
        for (int line = 0; line < 2000; line += line < 40 || line > 1960 ? 1 : 7) {
            form.Code.select(line);
            QCoreApplication::processEvents();
            if (onScreen() != painted())
                QFAIL(qPrintable(QStringLiteral("stale scroll bar at line %1").arg(line)));
        }
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(painted() != first);
        // The user's own scrolling still reaches the view.
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->width() / 2));
        QCOMPARE(bar->value(), bar->maximum() - bar->singleStep());
    }

    void counterBoxShowsTheCoreEntryLine() {
        state::MainForm form;
        form.Code.assign(program(40000));
        QComboBox box;
        new shell::CounterBinding(box, form);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));

        form.Code.select(5);
        QCOMPARE(box.count(), 39995);
        QCOMPARE(box.lineEdit()->text(), QStringLiteral("0005     NOP     "));
        QCOMPARE(box.itemText(1), QStringLiteral("0006     NOP     "));

        form.Counter.caretToEnd();
        QCOMPARE(box.lineEdit()->cursorPosition(), 17);
        box.lineEdit()->setFocus();
        box.lineEdit()->setCursorPosition(4);
        QTest::keyClicks(box.lineEdit(), QStringLiteral("xy"));
        QCOMPARE(form.Counter.editText(), std::string("0005xy     NOP     "));
        QCOMPARE(form.Counter.caret(), 6);
        QCOMPARE(box.count(), 39995); // typing never adds an entry
        // Enter is the core's: it writes line 5 and moves to the next. The
        // box has the focus and hands the key to its line edit.
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(form.Code.line(5), std::string("0005\tXYN\tOP"));
        QCOMPARE(box.count(), 39994);
        QCOMPARE(box.lineEdit()->text(), QStringLiteral("0006     NOP     "));
    }

    void messageBoxShowsTitleTextIconAndOneOk() {
        QWidget parent;
        shell::QtMessageBox messages(&parent);
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = static_cast<int>(box->buttons().size());
            box->button(QMessageBox::Ok)->click();
        });
        messages.show("Stack full", "Mirelsim", state::MessageIcon::Exclamation);
        QCOMPARE(title, QStringLiteral("Mirelsim"));
        QCOMPARE(text, QStringLiteral("Stack full"));
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(buttons, 1);
    }

    // File > Examples lists every Mirel file of its folder, whatever bytes
    // its name holds, and each path it keeps opens that file.
    void examplesWithAnyNameAreListedAndOpen() {
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        for (const QByteArray& name : {QByteArray("a&b.mrl"), QByteArray("caf\xe9.mrl"),
                                       QByteArray("two words.MRL"), QByteArray("notes.txt")}) {
            FILE* out = std::fopen((folder + '/' + name).constData(), "wb");
            QVERIFY(out);
            std::fputs("0000\t0000\tNOP\r\n", out);
            std::fclose(out);
        }
        const auto examples = mirel::shell::examplePrograms(folder.toStdString());
        QStringList names;
        for (const auto& example : examples) {
            names << example.name;
            FILE* in = std::fopen(example.path.c_str(), "rb");
            QVERIFY2(in, qPrintable(example.name));
            std::fclose(in);
        }
        QCOMPARE(names.size(), 3);
        QCOMPARE(names.at(0), QStringLiteral("a&b.mrl"));
        QVERIFY(names.at(1).startsWith(QLatin1String("caf")));
        QCOMPARE(names.at(2), QStringLiteral("two words.MRL"));
    }

    // The name Save writes follows the type chosen in the dialog, and the
    // dialog starts where the user can write: never in the examples folder.
    void saveNamesFollowTheChosenTypeAndStartWritable() {
        const QStringList filters = {QStringLiteral("Hex file (*.hex*)"),
                                     QStringLiteral("Text file (*.txt)"),
                                     QStringLiteral("Mirel file (*.mrl)")};
        const struct {
            const char* chosen;
            int type;
            const char* written;
        } names[] = {
            {"/d/prog.hex*", 0, "/d/prog.hex"}, {"/d/prog.txt", 0, "/d/prog.hex"},
            {"/d/prog.hex", 1, "/d/prog.txt"},  {"/d/prog.mrl", 2, "/d/prog.mrl"},
            {"/d/prog.HEX", 0, "/d/prog.HEX"},  {"/d/prog.v2", 0, "/d/prog.v2"},
            {"/d/prog", 2, "/d/prog"},          {"/d.x/.hidden", 0, "/d.x/.hidden"},
            {"/d/prog.txt*", 1, "/d/prog.txt"},
        };
        for (const auto& row : names)
            QCOMPARE(mirel::shell::nameForType(QLatin1String(row.chosen), filters, row.type),
                     QLatin1String(row.written));

        QTemporaryDir mine;
        const QString examples = QString::fromStdString(mirel::shell::examplesFolder());
        const QString documents = QStringLiteral("/home/learner/Documents");
        QCOMPARE(mirel::shell::saveFolder(mine.path(), examples, documents), mine.path());
        QCOMPARE(mirel::shell::saveFolder(examples, examples, documents), documents);
        QCOMPARE(mirel::shell::saveFolder(QString(), examples, documents), documents);
        QCOMPARE(
            mirel::shell::saveFolder(mine.path() + QStringLiteral("/gone"), examples, documents),
            documents);
    }
};

QTEST_MAIN(AdaptersTest)
#include "adapters_test.moc"
