#pragma once

#include "files/fake_platform.h"
#include "shell/qt_settings_store.h"
#include "shell/window_services.h"
#include "state/hex_text.h"

#include <QTemporaryDir>

#include <map>
#include <vector>

// The window's services for tests: settings in a file of the test's own, a
// message box that records, a registry in memory, file dialogs that answer
// what the test prepared.
namespace test {

// Program lines numbered from 0000 as their addresses: "NOP" becomes "0000\tNOP".
inline std::vector<std::string> numbered(const std::vector<std::string>& program) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < program.size(); ++i)
        lines.push_back(mirel::state::hex4(static_cast<long long>(i)) + "\t" + program[i]);
    return lines;
}

struct Message {
    std::string text;
    std::string title;
    mirel::state::MessageIcon icon;
    bool operator==(const Message&) const = default;
};

// Records messages and questions (with the None icon); questions get the
// prepared answers.
struct RecordedMessages final : mirel::state::MessageBoxService {
    void show(const std::string& text, const std::string& title,
              mirel::state::MessageIcon icon) override {
        shown.push_back({text, title, icon});
    }
    mirel::state::SaveChangesAnswer askSaveChanges(const std::string& text,
                                                   const std::string& title) override {
        asked.push_back({text, title, mirel::state::MessageIcon::None});
        return saveChanges;
    }
    mirel::state::ReplaceAnswer askReplace(const std::string& text,
                                           const std::string& title) override {
        asked.push_back({text, title, mirel::state::MessageIcon::None});
        return replace;
    }
    mirel::state::YesNoAnswer askYesNo(const std::string& text, const std::string& title) override {
        asked.push_back({text, title, mirel::state::MessageIcon::None});
        return yesNo;
    }
    std::vector<Message> shown;
    std::vector<Message> asked;
    mirel::state::SaveChangesAnswer saveChanges = mirel::state::SaveChangesAnswer::Discard;
    mirel::state::ReplaceAnswer replace = mirel::state::ReplaceAnswer::Yes;
    mirel::state::YesNoAnswer yesNo = mirel::state::YesNoAnswer::No;
};

struct FakeSystemTools final : mirel::shell::SystemTools {
    using Values =
        std::map<std::string, std::pair<std::uint32_t, std::string>>; // name -> type, bytes
    std::map<std::string, Values> keys;
    std::vector<std::string> files, started;
    bool startWorks = true;

    bool openKey(mirel::shell::KeyRoot, const std::string& path, Key& key) override {
        const auto found = keys.find(path);
        key = found == keys.end() ? 0 : reinterpret_cast<Key>(&found->second);
        return key != 0;
    }
    bool queryValue(Key key, const std::string& name, std::uint32_t& type,
                    std::string& bytes) override {
        const auto& values = *reinterpret_cast<Values*>(key);
        const auto found = values.find(name);
        if (found != values.end())
            std::tie(type, bytes) = found->second;
        return found != values.end();
    }
    void closeKey(Key) override {}
    bool fileExists(const std::string& path) override {
        return std::count(files.begin(), files.end(), path) > 0;
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
    mirel::files::FakeFileDialogs dialogs;

    mirel::shell::WindowServices services() { return {messages, settings, system, dialogs}; }
};

} // namespace test
