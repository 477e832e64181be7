#pragma once

#include "files/file_dialog.h"

#include <QStringList>

class QWidget;

namespace mirel::shell {

// The name a save writes for `path` chosen with the dialog's type entry
// `chosen` of `filters`: pattern marks the dialog copied from the type's
// pattern are dropped ("prog.hex*"), and an extension of another of the
// types gives way to the chosen type's ("prog.txt" saved as hex is "prog.hex").
QString nameForType(const QString& path, const QStringList& filters, int chosen);

// Where the Save dialog starts: the folder asked for, unless that is the
// examples folder or one that cannot be written, where the user's documents
// folder serves instead.
QString saveFolder(const QString& asked, const QString& examples, const QString& documents);

// The common file dialog through QFileDialog: the filter string's entries
// become its name filters, the entry picked is the file's kind.
class QtFileDialog final : public files::FileDialogService {
public:
    explicit QtFileDialog(QWidget* parent) : parent_(parent) {}
    files::FileDialogAnswer open(const files::FileDialogRequest& request) override;
    files::FileDialogAnswer save(const files::FileDialogRequest& request) override;

private:
    files::FileDialogAnswer run(const files::FileDialogRequest& request, bool saving);
    QWidget* parent_;
};

} // namespace mirel::shell
