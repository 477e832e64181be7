#include "accessible_names.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QWidget>

namespace mirel::shell {

namespace {
struct Role {
    const char* control;
    const char* name;
};

constexpr Role roles[] = {
    {"Code", "Program memory"},
    {"Label3", "Program memory heading"},
    {"Counter", "Program counter and instruction entry"},
    {"Reg", "Register file"},
    {"Label2", "Register file heading"},
    {"SPReg", "Return stack"},
    {"FlagReg", "W register display"},
    {"W", "W register"},
    {"Label4", "W register caption"},
    {"Frame1", "Port A"},
    {"Frame2", "Port B"},
    {"Label5", "Run interval in milliseconds"},
    {"Label5Unit", "Milliseconds"},
    {"Mirel", "Mirel: remove the last program line"},
    {"tbToolBar", "Toolbar"},
    {"ExerciseDock", "Exercise"},
    {"ExerciseTitle", "Exercise title"},
    {"ExerciseModel", "Exercise device"},
    {"ExerciseTask", "Exercise task"},
    {"ExerciseVerdict", "Exercise verdict"},
    {"ExerciseHiddenFailure", "Exercise hidden checks"},
    {"ExerciseMessages", "Exercise run messages"},
};

// Controls of an array, by their name and index: "RA(3)", "InB(5)", "RW(0)".
QString arrayRole(const QString& control, const QString& index) {
    if (control == QLatin1String("RA") || control == QLatin1String("RB"))
        return QStringLiteral("Port %1 pin %2 lamp").arg(control.right(1), index);
    if (control == QLatin1String("InA") || control == QLatin1String("InB"))
        return QStringLiteral("Port %1 pin %2 input").arg(control.right(1), index);
    if (control == QLatin1String("RW"))
        return QStringLiteral("W bit %1").arg(index);
    if (control == QLatin1String("WRBit"))
        return QStringLiteral("W bit %1 caption").arg(index);
    return {};
}
} // namespace

void nameControlsForAccessibility(QWidget& window) {
    static const QRegularExpression indexed(QStringLiteral("^(\\w+)\\((\\d)\\)$"));
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        for (const Role& role : roles)
            if (name == QLatin1String(role.control))
                widget->setAccessibleName(QString::fromLatin1(role.name));
        const QRegularExpressionMatch match = indexed.match(name);
        if (match.hasMatch())
            widget->setAccessibleName(arrayRole(match.captured(1), match.captured(2)));
        // Buttons are named by their captions.
        if (auto* button = qobject_cast<QAbstractButton*>(widget);
            button && widget->accessibleName().isEmpty() && !button->text().isEmpty())
            widget->setAccessibleName(button->text().remove(QLatin1Char('&')));
    }
    // The box's own parts: the line typed into and the list it drops down.
    if (auto* counter = window.findChild<QComboBox*>(QStringLiteral("Counter"))) {
        counter->lineEdit()->setAccessibleName(QStringLiteral("Instruction entry line"));
        counter->view()->setAccessibleName(QStringLiteral("Program from the current line"));
    }
}

} // namespace mirel::shell
