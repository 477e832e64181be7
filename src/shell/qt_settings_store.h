#pragma once

#include "state/settings_store.h"

#include <QString>

namespace mirel::shell {

// The settings store on QSettings: by default the user's own store of the
// application; tests give a file of their own. Sections are groups.
class QtSettingsStore final : public state::SettingsStore {
public:
    QtSettingsStore() = default;
    explicit QtSettingsStore(QString iniFile) : iniFile_(std::move(iniFile)) {}

    std::string value(const std::string& application, const std::string& section,
                      const std::string& key, const std::string& fallback) override;
    void setValue(const std::string& application, const std::string& section,
                  const std::string& key, const std::string& text) override;

private:
    QString iniFile_;
};

} // namespace mirel::shell
