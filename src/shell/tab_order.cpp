#include "tab_order.h"

#include <QStringList>
#include <QWidget>

namespace mirel::shell {

namespace {
QStringList tabNames() {
    QStringList names = {
        QStringLiteral("Code"),  QStringLiteral("Counter"),  QStringLiteral("W"),
        QStringLiteral("Mirel"), QStringLiteral("Slow"),     QStringLiteral("Step"),
        QStringLiteral("Fast"),  QStringLiteral("StartKey"), QStringLiteral("StopKey")};
    for (const char* port : {"InA", "InB"})
        for (int bit = 7; bit >= 0; --bit)
            names << QStringLiteral("%1(%2)").arg(QLatin1String(port)).arg(bit);
    names << QStringLiteral("SPReg") << QStringLiteral("Reg");
    return names;
}
} // namespace

void orderTabs(QWidget& controls) {
    QWidget* previous = nullptr;
    for (const QString& name : tabNames()) {
        auto* widget = controls.findChild<QWidget*>(name);
        if (!widget)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace mirel::shell
