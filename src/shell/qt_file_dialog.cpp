#include "qt_file_dialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>

namespace mirel::shell {

namespace {

// "Caption|pattern|Caption|pattern" as Qt's name filters; a caption that does
// not show its pattern gets it in brackets, where Qt reads it.
QStringList nameFilters(const std::string& filter) {
    const QStringList parts = QString::fromLatin1(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << (parts[i].contains(QLatin1Char('('))
                        ? parts[i]
                        : QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]));
    return filters;
}

} // namespace

files::FileDialogAnswer QtFileDialog::open(const files::FileDialogRequest& request) {
    return run(request, false);
}

files::FileDialogAnswer QtFileDialog::save(const files::FileDialogRequest& request) {
    return run(request, true);
}

files::FileDialogAnswer QtFileDialog::run(const files::FileDialogRequest& request, bool saving) {
    QFileDialog dialog(parent_ ? parent_ : QApplication::activeWindow(),
                       QString::fromLatin1(request.title));
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The file written may get an extension the chosen name lacks: the save
    // command asks about the file it will really replace.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.folder.empty())
        dialog.setDirectory(QFile::decodeName(QByteArray::fromStdString(request.folder)));
    const QStringList filters = nameFilters(request.filter);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(static_cast<int>(request.kind) - 1));
    if (!request.fileName.empty())
        dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(request.fileName)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const auto entry = filters.indexOf(dialog.selectedNameFilter());
    return {QFile::encodeName(dialog.selectedFiles().first()).toStdString(),
            static_cast<files::ProgramKind>(entry < 0 ? 1 : entry + 1)};
}

} // namespace mirel::shell
