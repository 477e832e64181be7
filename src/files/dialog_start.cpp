#include "dialog_start.h"

#include <filesystem>

namespace mirel::files {

namespace {
const char* kindText(ProgramKind kind) {
    switch (kind) {
    case ProgramKind::Text:
        return "text";
    case ProgramKind::Mirel:
        return "mrl";
    case ProgramKind::Hex:
        break;
    }
    return "hex";
}
} // namespace

std::string DialogStart::folder() const {
    const std::string last = settings_.value(keys_.application, keys_.section, keys_.folder, "");
    std::error_code ignored;
    return !last.empty() && std::filesystem::is_directory(last, ignored) ? last : examplesFolder_;
}

ProgramKind DialogStart::kind() const {
    return kindFromName(settings_.value(keys_.application, keys_.section, keys_.kind, ""))
        .value_or(ProgramKind::Hex);
}

void DialogStart::remember(const std::string& path, ProgramKind kind) {
    std::error_code ignored;
    const std::filesystem::path folder =
        std::filesystem::absolute(std::filesystem::path(path), ignored).parent_path();
    settings_.setValue(keys_.application, keys_.section, keys_.folder, folder.string());
    settings_.setValue(keys_.application, keys_.section, keys_.kind, kindText(kind));
}

} // namespace mirel::files
