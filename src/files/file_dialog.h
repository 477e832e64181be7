#pragma once

#include "program_kind.h"

#include <string>

namespace mirel::files {

// The file-type list of both dialogs: caption and pattern pairs, the entry
// picked is the file's kind.
inline constexpr const char* programFileFilter =
    "Hex file (*.hex*)|*.hex*|Text file (*.txt)|*.txt|Mirel file (*.mrl)|*.mrl";

struct FileDialogRequest {
    std::string title;
    std::string filter;
    std::string fileName;                // shown at first
    ProgramKind kind = ProgramKind::Hex; // file-type entry picked at first
    std::string folder;                  // where it starts; empty for the dialog's own choice
};

struct FileDialogAnswer {
    std::string fileName; // empty when the user cancelled
    ProgramKind kind = ProgramKind::Hex;
};

// The platform's common file dialog in its open and save forms.
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    virtual FileDialogAnswer open(const FileDialogRequest& request) = 0;
    virtual FileDialogAnswer save(const FileDialogRequest& request) = 0;
};

} // namespace mirel::files
