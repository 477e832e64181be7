// The Edit menu and the keys of program editing in the window.
#include "files/open_program.h"
#include "shell/frm_main.h"
#include "test_services.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using mirel::shell::frmMain;

namespace {

struct Window {
    test::Services services;
    frmMain window{services.services()};

    Window() {
        mirel::state::NoWindowPlacement placement;
        mirel::files::loadProgram(
            window.form(), placement,
            {"0000\tJMP\t0002", "0001\tINC\t20", "0002\tJSR\t0001", "0003   "});
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("window not exposed");
        window.activateWindow();
        window.form().Code.select(1);
    }
    QWidget* widget(const QString& name) {
        if (name == QLatin1String("entry"))
            return window.findChild<QComboBox*>(QStringLiteral("Counter"))->lineEdit();
        return window.findChild<QWidget*>(name);
    }
    // One user action: "Code Insert" (a key where the focus is), "entry type:text",
    // "entry caret:0", "click Mirel", "menu mnuEditUndo".
    void act(const QString& action) {
        const QString where = action.section(QLatin1Char(' '), 0, 0);
        const QString what = action.section(QLatin1Char(' '), 1);
        if (where == QLatin1String("click")) {
            QTest::mouseClick(window.findChild<QPushButton*>(what), Qt::LeftButton);
            return;
        }
        if (where == QLatin1String("menu")) {
            window.findChild<QAction*>(what)->trigger();
            return;
        }
        QWidget* target = widget(where);
        target->setFocus();
        QVERIFY(target->hasFocus());
        if (what.startsWith(QLatin1String("type:")))
            QTest::keyClicks(target, what.mid(5));
        else if (what.startsWith(QLatin1String("caret:")))
            static_cast<QLineEdit*>(target)->setCursorPosition(what.mid(6).toInt());
        else
            QTest::keySequence(target, QKeySequence(what));
    }
    // The program with tabs as blanks, the selected line and the entry line.
    QString program() {
        QStringList lines;
        for (const auto& line : window.form().Code.lines())
            lines << QString::fromLatin1(line).replace(QLatin1Char('\t'), QLatin1Char(' '));
        return lines.join(QLatin1Char('|')) + QStringLiteral(" @") +
               QString::number(window.form().Code.selectedIndex()) + QStringLiteral(" [") +
               static_cast<QLineEdit*>(widget(QStringLiteral("entry")))->text().simplified() +
               QLatin1Char(']');
    }
    // Undo, Redo, Insert Line, Delete Line: 1 enabled, 0 not.
    QString enabled() {
        QString out;
        for (const char* name :
             {"mnuEditUndo", "mnuEditRedo", "mnuEditInsertLine", "mnuEditDeleteLine"})
            out += window.findChild<QAction*>(QLatin1String(name))->isEnabled() ? u'1' : u'0';
        return out;
    }
};

const char* const original = "0000 JMP 0002|0001 INC 20|0002 JSR 0001|0003    @1 [0001 INC 20]";
const char* const inserted =
    "0000 JMP 0003|0001 NOP|0002 INC 20|0003 JSR 0002|0004    @1 [0001 NOP]";

} // namespace

class EditWindowTest : public QObject {
    Q_OBJECT

private slots:
    void editMenuAndKeys_data() {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("enabled");
        const auto row = [](const char* name, QStringList actions, const char* program,
                            const char* enabled) {
            QTest::newRow(name) << actions << QString::fromLatin1(program)
                                << QString::fromLatin1(enabled);
        };
        row("nothing yet", {}, original, "0011");
        row("Insert key in the program list", {"Code Ins"}, inserted, "1011");
        row("Delete key in the program list", {"Code Del"},
            "0000 JMP 0001|0001 JSR 0001|0002    @1 [0001 JSR 0001]", "1011");
        row("Insert Line in the menu", {"menu mnuEditInsertLine"}, inserted, "1011");
        row("Delete Line down to the only line", {"Code Del", "Code Del", "Code Del"},
            "0000 JMP 0001 @0 [0000 JMP 0001]", "1010");
        row("Ctrl+Z takes an insert back", {"Code Ins", "Code Ctrl+Z"}, original, "0111");
        row("Ctrl+Y does it again", {"Code Ins", "Code Ctrl+Z", "Code Ctrl+Y"}, inserted, "1011");
        row("Insert and Delete keys in the entry line edit its text",
            {"entry caret:0", "entry Del", "entry Ins"},
            "0000 JMP 0002|0001 INC 20|0002 JSR 0001|0003    @1 [001 INC 20]", "0011");
        row("Ctrl+Z in the entry line takes its typing back first",
            {"Code Ins", "entry type:X", "entry Ctrl+Z"}, inserted, "1011");
        row("then the program edit", {"Code Ins", "entry type:X", "entry Ctrl+Z", "entry Ctrl+Z"},
            original, "0111");
        row("Enter is undone as one edit", {"entry type: 5", "entry Return", "Code Ctrl+Z"},
            original, "0111");
        row("Mirel is undone", {"click Mirel", "menu mnuEditUndo"}, original, "0111");
        row("a run disables every edit", {"Code Ins", "click StartKey"},
            "0000 JMP 0003|0001 NOP|0002 INC 20|0003 JSR 0002|0004    @1 [0001 NOP]", "0000");
        row("and keys do nothing then", {"Code Ins", "click StartKey", "Code Del", "Code Ctrl+Z"},
            inserted, "0000");
    }
    void editMenuAndKeys() {
        QFETCH(QStringList, actions);
        QFETCH(QString, program);
        QFETCH(QString, enabled);
        Window w;
        for (const QString& action : actions)
            w.act(action);
        QCOMPARE(w.program(), program);
        QCOMPARE(w.enabled(), enabled);
        QCOMPARE(w.window.findChild<QMenu*>(QStringLiteral("mnuEdit"))->actions().size(), 5);
    }
};

QTEST_MAIN(EditWindowTest)
#include "edit_window_test.moc"
