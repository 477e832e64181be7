#pragma once

#include "files/file_dialog.h"

class QWidget;

namespace mirel::shell {

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
