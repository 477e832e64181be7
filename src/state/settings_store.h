#pragma once

#include <string>

namespace mirel::state {

// The per-user settings store: text values addressed by application, section
// and key. A missing key reads as the given default.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string value(const std::string& application, const std::string& section,
                              const std::string& key, const std::string& fallback) = 0;
    virtual void setValue(const std::string& application, const std::string& section,
                          const std::string& key, const std::string& text) = 0;
};

} // namespace mirel::state
