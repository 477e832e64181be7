#pragma once

#include "shell/qt_settings_store.h"
#include "shell/system_tools.h"
#include "shell/window_services.h"

#include <QTemporaryDir>

#include <map>
#include <string>
#include <vector>

// The window's services for tests: settings in a file of the test's own, a
// message box that records instead of showing, and a registry in memory.
namespace test {

struct Message {
    std::string text;
    std::string title;
    mirel::state::MessageIcon icon;
    bool operator==(const Message&) const = default;
};

class RecordedMessages final : public mirel::state::MessageBoxService {
public:
    void show(const std::string& text, const std::string& title,
              mirel::state::MessageIcon icon) override {
        shown.push_back({text, title, icon});
    }
    std::vector<Message> shown;
};

class FakeSystemTools final : public mirel::shell::SystemTools {
public:
    struct Value {
        std::uint32_t type;
        std::string bytes;
    };
    std::map<std::string, std::map<std::string, Value>> keys; // key path -> value name -> value
    std::vector<std::string> files;
    bool startWorks = true;
    std::vector<std::string> started;

    bool openKey(mirel::shell::KeyRoot, const std::string& path, Key& key) override {
        const auto found = keys.find(path);
        if (found == keys.end())
            return false;
        key = reinterpret_cast<Key>(&found->second);
        return true;
    }
    bool queryValue(Key key, const std::string& name, std::uint32_t& type,
                    std::string& bytes) override {
        const auto& values = *reinterpret_cast<std::map<std::string, Value>*>(key);
        const auto found = values.find(name);
        if (found == values.end())
            return false;
        type = found->second.type;
        bytes = found->second.bytes;
        return true;
    }
    void closeKey(Key) override {}
    bool fileExists(const std::string& path) override {
        return std::find(files.begin(), files.end(), path) != files.end();
    }
    bool startProgram(const std::string& path) override {
        started.push_back(path);
        return startWorks;
    }
};

struct Services {
    QTemporaryDir dir;
    QString settingsFile = dir.filePath(QStringLiteral("settings.ini"));
    mirel::shell::QtSettingsStore settings{settingsFile};
    RecordedMessages messages;
    FakeSystemTools system;

    mirel::shell::WindowServices services() { return {messages, settings, system}; }
};

} // namespace test
