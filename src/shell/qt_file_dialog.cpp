#include "qt_file_dialog.h"

#include "examples_folder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

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

// The extension a type entry stands for: "Hex file (*.hex*)" is "hex".
QString extensionOf(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

QString decoded(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

} // namespace

QString nameForType(const QString& path, const QStringList& filters, int chosen) {
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    // A dot that starts the name makes a hidden file, not an extension.
    if (dot <= nameStart)
        return path;
    QString suffix = path.mid(dot + 1);
    suffix.remove(QLatin1Char('*')).remove(QLatin1Char('?'));
    QStringList known;
    for (const QString& filter : filters)
        known << extensionOf(filter);
    const QString wanted = known.value(chosen);
    if (!wanted.isEmpty() && known.contains(suffix.toLower()) && suffix.toLower() != wanted)
        suffix = wanted;
    return path.left(dot + 1) + suffix;
}

QString saveFolder(const QString& asked, const QString& examples, const QString& documents) {
    const QFileInfo folder(asked);
    const bool examplesFolder =
        !examples.isEmpty() && folder.exists() &&
        folder.canonicalFilePath() == QFileInfo(examples).canonicalFilePath();
    if (asked.isEmpty() || examplesFolder || !folder.isDir() || !folder.isWritable())
        return documents.isEmpty() ? QDir::homePath() : documents;
    return asked;
}

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
    if (saving)
        dialog.setDirectory(
            saveFolder(decoded(request.folder), decoded(examplesFolder()),
                       QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
    else if (!request.folder.empty())
        dialog.setDirectory(decoded(request.folder));
    const QStringList filters = nameFilters(request.filter);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(static_cast<int>(request.kind) - 1));
    // Qt's own dialog copies the new type's pattern into the name as it
    // stands ("prog.hex*"): the name shown is the one that will be written.
    if (saving)
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &filters] {
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!name)
                return;
            const QString fixed =
                nameForType(name->text(), filters,
                            static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
            if (fixed != name->text())
                name->setText(fixed);
        });
    if (!request.fileName.empty())
        dialog.selectFile(decoded(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const auto entry = std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()));
    QString chosen = dialog.selectedFiles().first();
    if (saving)
        chosen = nameForType(chosen, filters, static_cast<int>(entry));
    return {QFile::encodeName(chosen).toStdString(), static_cast<files::ProgramKind>(entry + 1)};
}

} // namespace mirel::shell
