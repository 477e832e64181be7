#include "control_tips.h"

#include "state/register_names.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QWidget>

namespace mirel::shell {

namespace {
struct Tip {
    const char* control;
    const char* tip;
};

constexpr Tip tips[] = {
    {"Code", "Program memory: click a line to load it into the entry line; F9 toggles a "
             "breakpoint on it"},
    {"Label3", "Program memory: address, opcode and instruction"},
    {"Counter", "Entry line: type an instruction and press Enter to store it; the list shows "
                "the program from the current line"},
    {"Reg", "Register file: address, hexadecimal value and bits 7 to 0"},
    {"Label2", "Register file: register, hexadecimal value and bits 7 to 0"},
    {"SPReg", "Return stack"},
    {"W", "W register: type two hexadecimal digits to set it"},
    {"Label4", "W register"},
    {"Mirel", "Remove the last program line"},
    {"Label5", "Run interval in milliseconds: Faster (Ctrl+Up) and Slower (Ctrl+Down) change it"},
    {"Label5Unit", "Run interval in milliseconds"},
    {"ExerciseTitle", "The exercise open (File > Open Exercise)"},
    {"ExerciseModel", "The device the exercise runs the program on"},
    {"ExerciseVerdict", "The last Check Exercise (F8): a copy of the program run on a fresh "
                        "machine, the checks it passed of those shown"},
};

// Controls of an array, by their name and index: "RA(3)", "InB(5)", "RW(0)".
QString arrayTip(const QString& control, const QString& index) {
    if (control == QLatin1String("RA") || control == QLatin1String("RB"))
        return QStringLiteral("Port %1 pin %2: lit while the pin is high")
            .arg(control.right(1), index);
    if (control == QLatin1String("InA") || control == QLatin1String("InB"))
        return QStringLiteral("Port %1 pin %2 input: tick to drive the pin high")
            .arg(control.right(1), index);
    if (control == QLatin1String("RW") || control == QLatin1String("WRBit"))
        return QStringLiteral("Bit %1 of W").arg(index);
    return {};
}
} // namespace

void giveControlsTips(QWidget& window) {
    static const QRegularExpression indexed(QStringLiteral("^(\\w+)\\((\\d)\\)$"));
    const QString aboutW = QLatin1Char('\n') + QString::fromStdString(state::wRegisterTip());
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        for (const Tip& tip : tips)
            if (name == QLatin1String(tip.control))
                widget->setToolTip(QString::fromLatin1(tip.tip));
        const QRegularExpressionMatch match = indexed.match(name);
        if (match.hasMatch())
            widget->setToolTip(arrayTip(match.captured(1), match.captured(2)));
        // W's box and its bits name W as the register list's tips name registers.
        const QString control = match.hasMatch() ? match.captured(1) : name;
        if (control == QLatin1String("W") || control == QLatin1String("RW") ||
            control == QLatin1String("WRBit"))
            widget->setToolTip(widget->toolTip() + aboutW);
    }
    // The entry line shows its own tip, not only the box around it.
    if (auto* counter = window.findChild<QComboBox*>(QStringLiteral("Counter")))
        counter->lineEdit()->setToolTip(counter->toolTip());
}

} // namespace mirel::shell
