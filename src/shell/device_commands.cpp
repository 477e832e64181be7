// Debug > Device: the rules the machine follows from the next New or Open,
// kept in the settings, and the status bar's word on the rules that run now.
#include "debug/line_notices.h"
#include "frm_main.h"
#include "next_step_label.h"
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

constexpr const char* firstStepsMessage =
    "To begin, press New (Ctrl+N) for an empty program, or open one with File > Examples "
    "or File > Open.";

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
    shown->setContentsMargins(2 * shown->fontMetrics().averageCharWidth(), 0, 0, 0);
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

// An example is written for one model: it opens under that one, whatever
// was chosen, without changing the choice kept for the next start. The model
// is the first part its note names; a note that names none is for the
// Teaching Model.
parts::Model frmMain::exampleModel(const std::string& note) const {
    std::size_t first = std::string::npos;
    parts::Model model = parts::Model::Teaching;
    for (parts::Model part : parts::allModels()) {
        if (part == parts::Model::Teaching)
            continue;
        const std::size_t at = note.find(parts::modelName(part));
        if (at < first) {
            first = at;
            model = part;
        }
    }
    return model;
}

// Until there is a program, the status bar says how to get one.
void frmMain::showFirstSteps() {
    if (!form_.Code.empty())
        return;
    QString text = QString::fromLatin1(firstStepsMessage);
    if (form_.model != parts::Model::Teaching)
        text += QStringLiteral(" The machine follows the %1's rules (Debug > Device).")
                    .arg(modelText(form_.model));
    statusBar()->showMessage(text);
}

// After New or Open under a part's rules, the next-step area says so: its
// explanations are the Teaching Model's.
void frmMain::announceModel() {
    if (statusBar()->currentMessage().startsWith(QLatin1String(firstStepsMessage)))
        statusBar()->clearMessage();
    auto* label = controls_ ? controls_->findChild<QLabel*>(QStringLiteral("NextStep")) : nullptr;
    if (!label || form_.Code.empty())
        return;
    for (QObject* child : label->children())
        if (auto* next = dynamic_cast<NextStepLabel*>(child))
            next->announce(form_.model == parts::Model::Teaching
                               ? QString()
                               : QStringLiteral("This program runs by the %1's rules "
                                                "(Debug > Device).")
                                     .arg(modelText(form_.model)));
    showDevice();
}

} // namespace mirel::shell
