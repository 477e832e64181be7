// Debug > Device: the rules the machine follows from the next New or Open,
// kept in the settings, and the status bar's word on the rules that run now.
#include "debug/line_notices.h"
#include "frm_main.h"
#include "settings_keys.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

namespace mirel::shell {

namespace {
// How long the word on a new choice stays, in milliseconds.
constexpr int choiceTimeout = 5000;

QString modelText(parts::Model model) {
    return QString::fromLatin1(parts::modelName(model).data(),
                               static_cast<qsizetype>(parts::modelName(model).size()));
}
} // namespace

void frmMain::buildDeviceCommands(QMenu* debugMenu) {
    const std::string stored =
        services_.settings.value(settings::application, settings::section, settings::device,
                                 std::string(parts::modelName(parts::Model::Teaching)));
    // A value the settings file does not know leaves the teaching model.
    form_.chosenModel = parts::modelNamed(stored).value_or(parts::Model::Teaching);
    // Before the first program the choice is the rules in effect, as the
    // status bar and the menu both say.
    form_.model = form_.chosenModel;

    auto* menu = debugMenu->addMenu(QStringLiteral("&Device"));
    menu->setObjectName(QStringLiteral("mnuDebugDevice"));
    menu->setToolTipsVisible(true);
    auto* group = new QActionGroup(menu);
    for (parts::Model model : parts::allModels()) {
        auto* action = menu->addAction(modelText(model));
        action->setObjectName(QStringLiteral("mnuDebugDevice") +
                              modelText(model).remove(QLatin1Char(' ')));
        action->setCheckable(true);
        action->setChecked(model == form_.chosenModel);
        action->setToolTip(model == parts::Model::Teaching
                               ? QStringLiteral("The machine as this program teaches it")
                               : QStringLiteral("The %1 as its data sheet gives it: PCL, Timer0, "
                                                "interrupts, SLP, its banks and flags")
                                     .arg(modelText(model)));
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, model] { chooseDevice(model); });
    }

    auto* shown = new QLabel(this);
    shown->setObjectName(QStringLiteral("DeviceModel"));
    shown->setToolTip(QStringLiteral("The rules the machine follows (Debug > Device)"));
    // Clear of a long notice that runs up to it.
    shown->setContentsMargins(2 * shown->fontMetrics().averageCharWidth(), 0,
                              shown->fontMetrics().averageCharWidth(), 0);
    statusBar()->addPermanentWidget(shown);
    showDevice();
}

void frmMain::chooseDevice(parts::Model model) {
    form_.chosenModel = model;
    services_.settings.setValue(settings::application, settings::section, settings::device,
                                std::string(parts::modelName(model)));
    // With no program yet there is nothing to keep to the old rules.
    if (form_.Code.empty())
        form_.model = model;
    if (model != form_.model)
        statusBar()->showMessage(
            QStringLiteral("%1 from the next New or Open.").arg(modelText(model)), choiceTimeout);
    showDevice();
}

// The rules in effect, and for as long as a part sleeps, that it does; a
// choice waiting for the next New or Open is named beside them, so that the
// label and the menu's tick always agree.
void frmMain::showDevice() {
    if (!form_.Code.empty() &&
        statusBar()->currentMessage().startsWith(QLatin1String(firstStepsMessage)))
        statusBar()->clearMessage();
    for (QAction* action : findChildren<QAction*>())
        if (action->objectName().startsWith(QLatin1String("mnuDebugDevice")) &&
            action->isCheckable())
            action->setChecked(action->text() == modelText(form_.chosenModel));
    auto* shown = findChild<QLabel*>(QStringLiteral("DeviceModel"));
    if (!shown)
        return;
    QString text = modelText(form_.model);
    if (form_.chosenModel != form_.model)
        text += QStringLiteral(" (%1 from the next New or Open)").arg(modelText(form_.chosenModel));
    if (simulator_.sleeping())
        text += QStringLiteral("  ") + QString::fromLatin1(debug::sleepingNotice);
    shown->setText(text);
}

} // namespace mirel::shell
