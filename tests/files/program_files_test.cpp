// Open and Save of the three kinds: golden files byte for byte, read back,
// and every bad file with its message and nothing lost.
#include "fake_platform.h"
#include "files/file_bytes.h"
#include "files/file_commands.h"
#include "files/open_program.h"
#include "files/save_program.h"
#include "state/register_file.h"
#include "state/window_load.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/resource.h>
#include <sys/stat.h>

namespace mirel::files {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::string golden(const std::string& name) {
    return std::string(MIRELSIM_GOLDEN_DIR) + "/" + name;
}

// One line of each word class, as a hex file loads them, with the loader's end line.
const Lines program = {
    "0000\tLDA\t3F H", "0001\tSTA\t06",   "0002\tSUB\t20 W", "0003\tADD\t20", "0004\tSET\t03,5",
    "0005\tJBS\t05,1", "0006\tJSR\t0009", "0007\tJMP\t0000", "0008\tNOP",     "0009\tRET\t12 H",
    "000A\tCLR",       "000B\tCLR\t25",   "000C\tOPTION",    "000D\tTRIS\t6", "End",
};

TEST(ProgramFiles, EachKindSavesItsGoldenFileAndReadsBackTheSameWords) {
    TempFolder folder;
    state::MainForm form;
    form.Code.assign(program);
    const std::pair<ProgramKind, const char*> kinds[] = {
        {ProgramKind::Hex, "program.hex"},
        {ProgramKind::Text, "program.txt"},
        {ProgramKind::Mirel, "program.mrl"},
    };
    for (const auto& [kind, name] : kinds) {
        std::string error;
        ASSERT_TRUE(saveProgram(form, kind, folder.path(name), error)) << error;
        EXPECT_EQ(TempFolder::read(folder.path(name)), TempFolder::read(golden(name))) << name;
    }
    for (const auto& [kind, name] : kinds) {
        state::MainForm back;
        state::NoWindowPlacement placement;
        ASSERT_TRUE(openProgram(back, placement, kind, golden(name)).opened) << name;
        if (kind == ProgramKind::Hex) {
            EXPECT_EQ(back.Code.lines(), Lines(program.begin(), program.end() - 1));
        }
        std::string error;
        ASSERT_TRUE(saveProgram(back, ProgramKind::Hex, folder.path("again.hex"), error)) << error;
        EXPECT_EQ(TempFolder::read(folder.path("again.hex")),
                  TempFolder::read(golden("program.hex")))
            << name;
    }
}

// A line that Open would read back as another, or as two, is never written.
TEST(ProgramFiles, SaveRefusesALineThatWouldNotReadBackTheSame) {
    TempFolder folder;
    const struct {
        ProgramKind kind;
        Lines code;
        std::string error; // after "Cannot save PATH: "
    } cases[] = {
        {ProgramKind::Text,
         {"0000\tNOP\t", "0001\tLDA\t05\nH", "0002\tNOP\t"},
         "line 0001 would not read back as the same line."},
        {ProgramKind::Text,
         {"0000\tNOP\t", "", "0002\tNOP\t"},
         "line 0001 would not read back as the same line."},
        {ProgramKind::Text,
         {"NOP", "SUB\t20\rW"},
         "line 0001 would not read back as the same line."},
        {ProgramKind::Mirel,
         {"0000\tNOP\t", "0001\tJMP\t00\r00"},
         "a line holds a line break of its own and would not read back as the same line."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        state::MainForm form;
        form.Code.assign(c.code);
        const std::string path = folder.path("lines");
        std::string error;
        EXPECT_FALSE(saveProgram(form, c.kind, path, error));
        EXPECT_EQ(error, "Cannot save " + path + ": " + c.error);
        EXPECT_FALSE(fs::exists(path));
    }
}

// A hex file holds program memory up to word 1FFF, which is what Open reads
// back; a longer program is refused before anything is written.
TEST(ProgramFiles, AHexFileHoldsTheProgramMemoryOpenReadsBack) {
    TempFolder folder;
    const std::string path = folder.path("big.hex");
    const std::string refusal =
        "The program has more than 8192 words: save it as a Mirel source or text file.";
    state::MainForm form;
    form.Code.assign(Lines(8193, "NOP"));
    std::string error;
    EXPECT_FALSE(saveProgram(form, ProgramKind::Hex, path, error));
    EXPECT_EQ(error, refusal);
    EXPECT_FALSE(fs::exists(path));
    form.Code.removeAt(0);
    ASSERT_TRUE(saveProgram(form, ProgramKind::Hex, path, error)) << error;
    state::MainForm back;
    state::NoWindowPlacement placement;
    ASSERT_TRUE(openProgram(back, placement, ProgramKind::Hex, path).opened);
    EXPECT_EQ(back.Code.count(), 8192);

    // A part's words go where their lines say: one at 2000 is past the end.
    state::MainForm part;
    part.model = parts::Model::F877A;
    part.Code.assign({"0000\tNOP\t", "2000\tNOP\t"});
    EXPECT_FALSE(saveProgram(part, ProgramKind::Hex, folder.path("part.hex"), error));
    EXPECT_EQ(error, refusal);
    part.Code.replaceAt(1, "1FFF\tNOP\t");
    EXPECT_TRUE(saveProgram(part, ProgramKind::Hex, folder.path("part.hex"), error)) << error;
}

// The file as the usual assembler writes it: an extended address record,
// org gaps, the configuration word and EEPROM data beyond program memory, an
// end record. Exactly the program's lines at their addresses.
TEST(ProgramFiles, AHexFileFromTheUsualAssemblerOpensToItsProgramLines) {
    state::MainForm form;
    state::NoWindowPlacement placement;
    ASSERT_TRUE(
        openProgram(form, placement, ProgramKind::Hex, golden("assembler_output.hex")).opened);
    EXPECT_EQ(form.Code.lines(),
              (Lines{"0000\tJMP\t0005", "0004\tRTI", "0005\tSET\t03,5", "0006\tCLR\t06",
                     "0007\tRES\t03,5", "0008\tLDA\t01 H", "0009\tSTA\t06", "000A\tRLA\t06",
                     "000B\tJMP\t000A", "End"}));
}

// A save lands in the file a link names, whatever the length of its name, and
// a save that fails on the way (here the file-size limit) leaves the old file
// and no temporary file.
TEST(ProgramFiles, SaveGoesThroughLinksFitsLongNamesAndLeavesNothingBehindOnFailure) {
    TempFolder folder;
    state::MainForm form;
    form.Code.assign(Lines(100, "0000\tNOP\t"));
    std::string error;

    const std::string target = folder.write("target.txt", "old");
    fs::create_symlink("target.txt", folder.path("link.txt"));
    ASSERT_TRUE(saveProgram(form, ProgramKind::Text, folder.path("link.txt"), error)) << error;
    EXPECT_TRUE(fs::is_symlink(folder.path("link.txt")));
    EXPECT_EQ(TempFolder::read(target).size(), 100u * 11);

    const std::string longName = folder.path(std::string(251, 'n') + ".txt");
    ASSERT_TRUE(saveProgram(form, ProgramKind::Text, longName, error)) << error;
    EXPECT_EQ(TempFolder::read(longName).size(), 100u * 11);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 512;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool wrote = saveProgram(form, ProgramKind::Text, target, error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(wrote);
    EXPECT_EQ(error, "Cannot save " + target + ": File too large");
    EXPECT_EQ(TempFolder::read(target).size(), 100u * 11);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path("")), fs::directory_iterator()), 3);
}

// Everything Open could change, to show that a failure changed none of it.
struct MachineState {
    Lines code, reg, stack;
    int selected;
    std::string w, entry;
    bool step, start, timer;
    int placements;
    bool operator==(const MachineState&) const = default;
};

MachineState snapshot(const state::MainForm& f, const CountingPlacement& p) {
    return {f.Code.lines(),     f.Reg.lines(),
            f.SPReg.lines(),    f.Code.selectedIndex(),
            f.W.text(),         f.Counter.editText(),
            f.Step.enabled(),   f.StartKey.enabled(),
            f.Timer1.enabled(), p.restored};
}

class BadFiles : public ::testing::Test {
protected:
    BadFiles() {
        state::NewProgram(form, placement);
        form.Code.assign({"0000\tNOP\t", "0001\tSUB\t2X W", "0002\tINC\t20"});
        form.Code.select(1);
        state::writeRegister(form, 0x20, 0x77);
        form.SPReg.append("2");
        form.W.setText("5A");
        form.Timer1.setEnabled(true); // a run is going on
    }
    TempFolder folder;
    state::MainForm form;
    CountingPlacement placement;
    FakeFileDialogs dialogs;
    RecordingMessages messages;
    FileCommands commands{form, placement, dialogs, messages};
};

std::string records(int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += ":020000000000FE\r\n";
    return text;
}

// Files that fail to open or save: the message, and nothing changed.
TEST_F(BadFiles, AFailedOpenOrSaveShowsItsMessageAndChangesNothing) {
    fs::create_directory(folder.path("folder.hex"));
    const std::string readOnly = folder.write("locked.txt", "old");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    folder.write("kept.mrl", "old");
    folder.write("prog.mrl", "0000\t3001\tLDA   01H\r\n");
    folder.write("prog.hex", ":020000000000FE\r\n");
    ASSERT_EQ(::mkfifo(folder.path("pipe").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(folder.path("pipe.txt").c_str(), 0600), 0);
    fs::resize_file(folder.write("huge.txt", ""), maxProgramFileBytes + 1);
    struct Row {
        const char* what;
        bool open;
        ProgramKind kind;
        std::string name;
        std::string message; // NAME stands for the file's path
    };
    const Row rows[] = {
        {"missing file", true, ProgramKind::Hex, "missing.hex",
         "Cannot open NAME: No such file or directory"},
        {"a directory", true, ProgramKind::Text, "folder.hex", "Cannot open NAME: Is a directory"},
        {"over 5001 records", true, ProgramKind::Hex, "big.hex",
         "NAME has more than 5001 records."},
        {"a Mirel file opened as hex", true, ProgramKind::Hex, "prog.mrl",
         "NAME is not a hex file."},
        {"a hex file opened as Mirel", true, ProgramKind::Mirel, "prog.hex",
         "NAME is not a Mirel source file."},
        {"a named pipe", true, ProgramKind::Text, "pipe", "Cannot open NAME: not a regular file"},
        {"a file larger than any program", true, ProgramKind::Text, "huge.txt",
         "NAME is too large to be a program."},
        {"a named pipe as target", false, ProgramKind::Text, "pipe.txt",
         "Cannot save NAME: not a regular file"},
        {"read-only target", false, ProgramKind::Text, "locked.txt",
         "Cannot save NAME: Permission denied"},
        {"a directory as target", false, ProgramKind::Text, "folder.hex",
         "Cannot save NAME: Is a directory"},
        {"missing folder", false, ProgramKind::Text, "none/p.txt",
         "Cannot save NAME: No such file or directory"},
        {"a line that does not assemble", false, ProgramKind::Mirel, "kept.mrl",
         "Line 0001 cannot be assembled: SUB 2X W"},
    };
    folder.write("big.hex", records(5002));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const MachineState before = snapshot(form, placement);
        const std::string path = folder.path(row.name);
        const std::string oldBytes = TempFolder::read(path);
        dialogs.answer = {path, row.kind};
        messages.shown.clear();
        row.open ? commands.mnuFileOpen_Click() : commands.mnuFileSave_Click();

        std::string message = row.message;
        if (const auto at = message.find("NAME"); at != std::string::npos)
            message.replace(at, 4, path);
        EXPECT_EQ(messages.shown, Lines{message});
        EXPECT_EQ(snapshot(form, placement), before);
        EXPECT_EQ(TempFolder::read(path), oldBytes);
    }
    // A file of exactly 5001 records opens.
    dialogs.answer = {folder.write("full.hex", records(5001)), ProgramKind::Hex};
    commands.mnuFileOpen_Click();
    EXPECT_EQ(form.Code.count(), 5001);
}

// Damaged content is read as far as it goes, without a message.
TEST_F(BadFiles, DamagedContentLoadsWhatIsThere) {
    const struct {
        const char* what;
        ProgramKind kind;
        std::string bytes;
        Lines code;
    } rows[] = {
        {"empty file", ProgramKind::Hex, "", {}},
        {"truncated record", ProgramKind::Hex, ":0400000083\r\n", {"0000\tNone", "0001\tNone"}},
        {"odd byte count", ProgramKind::Hex, ":03000000831600\r\n", {"0000\tSET\t03,5"}},
        {"non-hex characters", ProgramKind::Hex, ":02000000ZZ16E8\r\n", {"0000\t"}},
        {"lower-case digits", ProgramKind::Hex, ":020000003f3e8F\n", {"0000\t"}},
        {"end record and odd address",
         ProgramKind::Hex,
         ":00000001FF\r\n:0200110000003D",
         {"End", "0008\tNOP"}},
        {"one-character lines", ProgramKind::Text, "A\r\nB\n", {"A\t\t", "B\t\t"}},
        {"own source with bare LF",
         ProgramKind::Mirel,
         "0003\t008C\tSTA   0C\n",
         {"0003\tSTA\t   0C"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        messages.shown.clear();
        dialogs.answer = {folder.write("f", row.bytes), row.kind};
        commands.mnuFileOpen_Click();
        EXPECT_EQ(messages.shown, Lines{});
        EXPECT_EQ(form.Code.lines(), row.code);
        EXPECT_EQ(form.Code.selectedIndex(), row.code.empty() ? -1 : 0);
        EXPECT_EQ(form.Reg.count(), 513);
        EXPECT_EQ(state::readRegister(form, 0x20), 0);
        EXPECT_EQ(form.SPReg.lines(), Lines{"SP"});
        EXPECT_TRUE(form.Step.enabled());
        EXPECT_FALSE(form.Timer1.enabled());
    }
}

TEST_F(BadFiles, CancelChangesNothingAndOpenStartsAtTheLastName) {
    const MachineState before = snapshot(form, placement);
    dialogs.answer = {};
    commands.mnuFileOpen_Click();
    commands.mnuFileSave_Click();
    EXPECT_EQ(snapshot(form, placement), before);

    const std::string saved = folder.path("p.txt");
    dialogs.answer = {saved, ProgramKind::Text};
    commands.mnuFileSave_Click();
    dialogs.answer = {};
    commands.mnuFileOpen_Click();
    commands.mnuFileSave_Click();
    ASSERT_EQ(dialogs.openAsked.size(), 2u);
    EXPECT_EQ(dialogs.openAsked[0].title, "Open");
    EXPECT_EQ(dialogs.openAsked[0].filter,
              "Hex file (*.hex*)|*.hex*|Text file (*.txt)|*.txt|Mirel file (*.mrl)|*.mrl");
    EXPECT_EQ(dialogs.openAsked[1].fileName, saved);
    EXPECT_EQ(dialogs.openAsked[1].kind, ProgramKind::Text);
    ASSERT_EQ(dialogs.saveAsked.size(), 3u);
    EXPECT_EQ(dialogs.saveAsked[2].title, "Save");
    EXPECT_EQ(dialogs.saveAsked[2].fileName, "");
    EXPECT_EQ(TempFolder::read(saved), "0000\tNOP\t\r\n0001\tSUB\t2X W\r\n0002\tINC\t20\r\n");
}

} // namespace
} // namespace mirel::files
