// Help > Instruction Set, the names of the registers in the register list's
// tooltips, and the status bar's notices whole in its tooltip: the machine's
// reference where the learner looks.
#include "frm_instruction_set.h"
#include "frm_main.h"
#include "parts/register_notes.h"
#include "state/register_names.h"
#include "text_list_model.h"

#include <QAction>
#include <QListView>
#include <QMenu>
#include <QStatusBar>

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
    if (!instructionSet_)
        instructionSet_ = new frmInstructionSet(this);
    instructionSet_->show();
    instructionSet_->raise();
    instructionSet_->activateWindow();
}

} // namespace mirel::shell
