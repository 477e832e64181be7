// What the file commands did, where the learner looks: an example's story
// and the model it runs under, "Saved NAME", and before the first program
// how to begin.
#include "files/file_bytes.h"
#include "files/save_program.h"
#include "files/text_program_reader.h"
#include "frm_main.h"
#include "next_step_label.h"

#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace mirel::shell {

namespace {
// An example's note is a sentence or two: long enough to read it.
constexpr int exampleNoteTimeout = 20000;
constexpr int savedTimeout = 5000;

QString modelText(parts::Model model) {
    return QString::fromLatin1(parts::modelName(model).data(),
                               static_cast<qsizetype>(parts::modelName(model).size()));
}
} // namespace

// A save that wrote its file says so, with the file's name: the dialog
// closes either way, and a failure has its own message box.
void frmMain::mnuFileSave_Click() {
    if (!fileCommands_.mnuFileSave_Click())
        return;
    const QFileInfo written(
        QFile::decodeName(QByteArray::fromStdString(fileCommands_.savedPath())));
    statusBar()->showMessage(QStringLiteral("Saved ") + written.fileName(), savedTimeout);
}

// The status bar tells what the example shows, from the note after its
// program, and under which model it runs when that is not the usual one.
void frmMain::mnuFileExample_Click(const std::string& path) {
    std::string error;
    const auto bytes = files::readFileBytes(path, error);
    const std::string note = bytes ? files::exampleNote(*bytes) : std::string();
    const parts::Model chosen = form_.chosenModel;
    form_.chosenModel = exampleModel(note);
    if (fileCommands_.openExample(path)) {
        QString message = QString::fromLatin1(note);
        if (form_.model != parts::Model::Teaching || form_.model != chosen)
            message += (message.isEmpty() ? QString() : QStringLiteral(" ")) +
                       QStringLiteral("Opened under the %1's rules, which it is written for.")
                           .arg(QString::fromLatin1(
                               parts::modelName(form_.model).data(),
                               static_cast<qsizetype>(parts::modelName(form_.model).size())));
        if (!message.isEmpty())
            statusBar()->showMessage(message, exampleNoteTimeout);
        announceModel();
    } else {
        form_.chosenModel = chosen;
    }
    showDevice();
    focusEntryLine();
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
    // A menu's item clears the status bar as the pointer passes: the first
    // steps come back while there is still no program.
    constexpr const char* watched = "firstStepsWatched";
    if (statusBar()->property(watched).isValid())
        return;
    statusBar()->setProperty(watched, true);
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty())
            QTimer::singleShot(0, this, [this] {
                if (statusBar()->currentMessage().isEmpty())
                    showFirstSteps();
            });
    });
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
