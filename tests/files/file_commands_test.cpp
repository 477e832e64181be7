// Save's question before it replaces a file, and where the file dialogs start.
#include "fake_platform.h"
#include "files/file_commands.h"
#include "state/window_load.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <map>

namespace mirel::files {
namespace {

using Lines = std::vector<std::string>;

class MemorySettings final : public state::SettingsStore {
public:
    std::map<std::string, std::string> values; // "section/key" -> text
    std::string value(const std::string&, const std::string& section, const std::string& key,
                      const std::string& fallback) override {
        const auto found = values.find(section + "/" + key);
        return found == values.end() ? fallback : found->second;
    }
    void setValue(const std::string&, const std::string& section, const std::string& key,
                  const std::string& text) override {
        values[section + "/" + key] = text;
    }
};

struct Commands {
    state::MainForm form;
    CountingPlacement placement;
    FakeFileDialogs dialogs;
    RecordingMessages messages;
    MemorySettings settings;
    DialogStart start{settings, {"Mirelsim", "Settings", "LastFolder", "LastKind"}, "/examples"};
    FileCommands commands{form, placement, dialogs, messages, &start};

    Commands() {
        state::NewProgram(form, placement);
        form.Code.assign({"0000\tNOP", "0001\tINC\t20"});
    }
};

// The question names the file the save would replace, whatever name was
// chosen; No leaves it as it was and writes nothing else.
TEST(FileCommands, SaveAsksBeforeReplacingTheFileItWritesAndNoWritesNothing) {
    TempFolder folder;
    const struct {
        const char* chosen;
        ProgramKind kind;
        state::ReplaceAnswer answer;
        const char* asked; // the file named in the question, or none
        const char* written;
    } rows[] = {
        {"old", ProgramKind::Hex, state::ReplaceAnswer::No, "old.hex", nullptr},
        {"old", ProgramKind::Hex, state::ReplaceAnswer::Yes, "old.hex", "old.hex"},
        {"old.hex", ProgramKind::Hex, state::ReplaceAnswer::No, "old.hex", nullptr},
        {"old.txt", ProgramKind::Hex, state::ReplaceAnswer::No, "old.txt.hex", nullptr},
        {"old", ProgramKind::Text, state::ReplaceAnswer::No, nullptr, "old.txt"},
        {"old.mrl", ProgramKind::Text, state::ReplaceAnswer::No, "old.mrl", nullptr},
        {"new", ProgramKind::Mirel, state::ReplaceAnswer::No, nullptr, "new.mrl"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.chosen);
        for (const char* name : {"old", "old.hex", "old.txt", "old.txt.hex", "old.mrl"})
            folder.write(name, "old");
        for (const char* name : {"old.txt", "new.mrl"})
            std::filesystem::remove(folder.path(name));
        Commands c;
        c.messages.replace = row.answer;
        c.dialogs.answer = {folder.path(row.chosen), row.kind};
        c.commands.mnuFileSave_Click();

        const Lines asked =
            row.asked
                ? Lines{folder.path(row.asked) + " already exists.\nDo you want to replace it?"}
                : Lines{};
        EXPECT_EQ(c.messages.asked, asked);
        EXPECT_EQ(c.messages.shown, Lines{});
        for (const char* name :
             {"old", "old.hex", "old.txt", "old.txt.hex", "old.mrl", "new.mrl", "new"}) {
            const bool written = row.written && std::string(name) == row.written;
            const std::string bytes = TempFolder::read(folder.path(name));
            EXPECT_EQ(bytes != "old" && !bytes.empty(), written) << name;
        }
        // A save that wrote nothing is no save: the folder is not remembered.
        EXPECT_EQ(c.settings.values.count("Settings/LastFolder"), row.written ? 1u : 0u);
    }
}

// A file picked with the Text type that looks like another type is opened as
// that type on Yes, as text on No; a text file is opened without a question.
TEST(FileCommands, OpenAsTextAsksAboutAFileThatLooksLikeAnotherType) {
    TempFolder folder;
    const std::string mirel = "0000\t0186\tCLR   06\r\n";
    const std::string hex = ":020000008601F7\r\n:00000001FF\r\n";
    const std::string text = "0000\tADD\t20 W\r\n";
    const struct {
        const char* name;
        const std::string& bytes;
        state::YesNoAnswer answer;
        const char* asked; // after the name; none for a plain text file
        const char* line0; // Code's first line afterwards
    } rows[] = {
        {"p.mrl", mirel, state::YesNoAnswer::Yes,
         " looks like a Mirel source file. Open it as one?", "0000\tCLR\t   06"},
        {"p.mrl", mirel, state::YesNoAnswer::No, " looks like a Mirel source file. Open it as one?",
         "0000\t018\t6CLR   06"},
        {"p.txt", mirel, state::YesNoAnswer::Yes,
         " looks like a Mirel source file. Open it as one?", "0000\tCLR\t   06"},
        {"P.HEX", hex, state::YesNoAnswer::Yes, " looks like a hex file. Open it as one?",
         "0000\tCLR\t06"},
        {"p.txt", hex, state::YesNoAnswer::No, " looks like a hex file. Open it as one?",
         ":020\t000\t008601F7"},
        {"p.txt", text, state::YesNoAnswer::Yes, nullptr, "0000\tADD\t20 W"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + row.bytes);
        folder.write(row.name, row.bytes);
        Commands c;
        c.messages.yesNo = row.answer;
        c.dialogs.answer = {folder.path(row.name), ProgramKind::Text};
        c.commands.mnuFileOpen_Click();
        std::erase(c.messages.asked, saveChangesQuestion); // the program the fixture typed
        EXPECT_EQ(c.messages.asked, row.asked ? Lines{row.name + std::string(row.asked)} : Lines{});
        ASSERT_FALSE(c.form.Code.empty());
        EXPECT_EQ(c.form.Code.line(0), row.line0);
        std::filesystem::remove(folder.path(row.name));
    }
}

// The dialogs start in the examples folder until a file is opened or saved;
// then in that file's folder with its type, also for the next session.
TEST(FileCommands, DialogsStartInTheFolderAndTypeOfTheLastFileOpenedOrSaved) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path("sub"));
    Commands c;
    c.dialogs.answer = {};
    c.commands.mnuFileOpen_Click();
    c.commands.mnuFileSave_Click();
    ASSERT_EQ(c.dialogs.openAsked.size(), 1u);
    EXPECT_EQ(c.dialogs.openAsked[0].folder, "/examples");
    EXPECT_EQ(c.dialogs.saveAsked[0].folder, "/examples");
    EXPECT_EQ(c.dialogs.saveAsked[0].kind, ProgramKind::Hex);

    c.dialogs.answer = {folder.path("none/p"), ProgramKind::Mirel};
    c.commands.mnuFileSave_Click(); // fails: no such folder
    EXPECT_EQ(c.settings.values.count("Settings/LastFolder"), 0u);
    c.dialogs.answer = {folder.path("sub/p"), ProgramKind::Text};
    c.commands.mnuFileSave_Click();
    EXPECT_EQ(c.settings.values["Settings/LastFolder"], folder.path("sub"));
    EXPECT_EQ(c.settings.values["Settings/LastKind"], "text");

    Commands next;
    next.settings.values = c.settings.values; // as the next session reads them
    next.dialogs.answer = {folder.path("p.mrl"), ProgramKind::Mirel};
    folder.write("p.mrl", "0000\t0000\tNOP   \r\n");
    next.commands.mnuFileOpen_Click();
    EXPECT_EQ(next.dialogs.openAsked.at(0).folder, folder.path("sub"));
    EXPECT_EQ(next.dialogs.openAsked.at(0).kind, ProgramKind::Text);
    EXPECT_EQ(next.settings.values["Settings/LastFolder"],
              std::filesystem::path(folder.path("p.mrl")).parent_path().string());
    EXPECT_EQ(next.settings.values["Settings/LastKind"], "mrl");

    // A folder that is gone starts the dialog in the examples folder again.
    next.settings.values["Settings/LastFolder"] = folder.path("gone");
    next.commands.mnuFileSave_Click();
    EXPECT_EQ(next.dialogs.saveAsked.at(0).folder, "/examples");
}

} // namespace
} // namespace mirel::files
