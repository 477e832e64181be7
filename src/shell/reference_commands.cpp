// Help > Instruction Set, the names of the registers in the register list's
// tooltips, and the status bar's notices whole in its tooltip: the machine's
// reference where the learner looks.
#include "frm_instruction_set.h"
#include "frm_main.h"
#include "parts/register_notes.h"
#include "settings_keys.h"
#include "state/register_names.h"
#include "text_list_model.h"
#include "twips.h"
#include "window_placement.h"

#include <QAction>
#include <QGuiApplication>
#include <QListView>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>

#include <cmath>
#include <string>

namespace mirel::shell {

void frmMain::buildReferenceCommands() {
    auto* reference = new QAction(QStringLiteral("&Instruction Set"), this);
    reference->setObjectName(QStringLiteral("mnuHelpInstructionSet"));
    reference->setShortcut(QKeySequence(Qt::Key_F1));
    connect(reference, &QAction::triggered, this, &frmMain::mnuHelpInstructionSet_Click);
    addAction(reference);
    auto* help = findChild<QMenu*>(QStringLiteral("mnuHelp"));
    help->insertAction(findChild<QAction*>(QStringLiteral("mnuHelpAbout")), reference);

    // A register's line is its address. Under a part's rules its tip names
    // the part's register, or says it is a copy or none.
    auto* reg = controls_->findChild<QListView*>(QStringLiteral("Reg"));
    static_cast<TextListModel*>(reg->model())->setTipNote([this](int line) {
        return form_.model == parts::Model::Teaching ? state::registerTip(line)
                                                     : parts::registerNote(form_.model, line);
    });

    // An example's note is longer than the status bar is wide: its tooltip
    // holds the whole of whatever notice it shows.
    connect(statusBar(), &QStatusBar::messageChanged, statusBar(), &QWidget::setToolTip);
}

// Not modal: the learner reads it while typing and stepping. It stays loaded
// once opened, with its filter, until the main window goes.
void frmMain::mnuHelpInstructionSet_Click() {
    if (!instructionSet_) {
        instructionSet_ = new frmInstructionSet(this);
        instructionSet_->setZoom(zoom_);
        placeInstructionSet();
        connect(instructionSet_, &frmInstructionSet::hidden, this,
                &frmMain::keepInstructionSetPlace);
    }
    instructionSet_->show();
    instructionSet_->raise();
    instructionSet_->activateWindow();
}

} // namespace mirel::shell

namespace mirel::shell {

// Where it was last closed, on a screen that is still there; the first time
// beside the main window, as large as the free screen area allows.
void frmMain::placeInstructionSet() {
    const QScreen* home = screen();
    const double dpi = home ? home->logicalDotsPerInch() : 96.0;
    const auto stored = [&](const char* key) {
        return readTwips(
            services_.settings.value(settings::application, settings::section, key, ""), -1);
    };
    const double left = stored(settings::referenceLeft);
    const double top = stored(settings::referenceTop);
    const double width = stored(settings::referenceWidth);
    const double height = stored(settings::referenceHeight);
    QList<QRect> screens;
    for (const QScreen* each : QGuiApplication::screens())
        screens << each->availableGeometry();
    const QRect primary = QGuiApplication::primaryScreen()
                              ? QGuiApplication::primaryScreen()->availableGeometry()
                              : QRect(0, 0, 800, 600);
    const QRect area = screenAreaFor(frameGeometry().topLeft(), screens, primary);
    // Until it is shown its frame is unknown: the main window's serves.
    const QSize frame = frameGeometry().size() - geometry().size();
    QRect outer;
    if (width > 0 && height > 0) {
        const auto px = [dpi](double twips) { return placementPixels(twips, dpi); };
        outer = fitOnScreens(QRect(px(left), px(top), px(width), px(height)), QSize(160, 120),
                             screens, primary);
    } else {
        const QSize wanted = frmInstructionSet::actualSize() * (zoom_ / 100.0) + frame;
        outer = besideWindow(frameGeometry(), wanted, area);
    }
    instructionSet_->move(outer.topLeft());
    instructionSet_->resize(outer.size() - frame);
}

void frmMain::keepInstructionSetPlace() {
    if (!instructionSet_ || instructionSet_->isMinimized())
        return;
    const QScreen* home = instructionSet_->screen();
    const double perPixel = twipsPerInch / (home ? home->logicalDotsPerInch() : 96.0);
    const QRect outer = instructionSet_->frameGeometry();
    const auto store = [&](const char* key, int pixels) {
        services_.settings.setValue(settings::application, settings::section, key,
                                    std::to_string(std::lround(pixels * perPixel)));
    };
    store(settings::referenceLeft, outer.left());
    store(settings::referenceTop, outer.top());
    store(settings::referenceWidth, outer.width());
    store(settings::referenceHeight, outer.height());
}

} // namespace mirel::shell
