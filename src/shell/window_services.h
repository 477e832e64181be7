#pragma once

#include "files/file_dialog.h"
#include "qt_file_dialog.h"
#include "qt_platform.h"
#include "qt_settings_store.h"
#include "state/platform.h"
#include "state/settings_store.h"
#include "system_tools.h"

namespace mirel::shell {

// The platform services the main window and its dialogs use; tests pass
// their own.
struct WindowServices {
    state::MessageBoxService& messages;
    state::SettingsStore& settings;
    SystemTools& system;
    files::FileDialogService& dialogs;
};

// The program's own services: Qt message boxes, the user's settings store,
// no registry, the common file dialog.
struct QtServices {
    QtMessageBox messages{nullptr};
    QtSettingsStore settings;
    QtSystemTools system;
    QtFileDialog dialogs{nullptr};

    WindowServices services() { return {messages, settings, system, dialogs}; }
};

} // namespace mirel::shell
