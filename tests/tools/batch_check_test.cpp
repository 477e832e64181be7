// A class graded in one call: one line per file, the exit status, the reports.
#include "batch_main.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace mirel::batch {
namespace {

namespace fs = std::filesystem;

class BatchCheck : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("mirelsim-check-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        write("add.mrx", "title: Add\nsteps: 100\nuntil: halted\n"
                         "check: 22 = 3C | The sum belongs in 22.\n"
                         "hidden check: instructions <= 3 | Three lines do it.\n");
        write("anna.txt", "0000\tLDA\t17 H\n0001\tADD\t25 H\n0002\tSTA\t22\n0003\tJMP\t0003\n");
        write("ben.txt", "0000\tLDA\t17 H\n0001\tSUB\t25 H\n0002\tSTA\t22\n0003\tJMP\t0003\n");
        write("cleo.txt", "0000\tLDA\t3C H\n\n0001\tSTA\t22\n0002\tJMP\t0002\n");
        write("dan.mrl", "LDA 3C H\n"); // no Mirel file
        write("eve.txt", "0000\tLDA\t3C H\n0001\tSTA\t22\n0002\tJSR\t0002\n");
    }
    void TearDown() override { fs::remove_all(dir_); }

    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    int run(std::vector<std::string> args) {
        out_.str({});
        err_.str({});
        return batchMain(args, out_, err_);
    }

    fs::path dir_;
    std::ostringstream out_, err_;
};

TEST_F(BatchCheck, GradesEveryFileOnALineOfItsOwn) {
    EXPECT_EQ(run({"--check", path("add.mrx"), path("anna.txt")}), 0);
    EXPECT_EQ(out_.str(), path("anna.txt") + "\tpassed\tchecks 3/3\tmessages 0\n");

    EXPECT_EQ(run({"--check", path("add.mrx"), path("anna.txt"), path("ben.txt"), path("cleo.txt"),
                   path("dan.mrl"), path("eve.txt"), path("none.txt")}),
              1);
    EXPECT_EQ(out_.str(),
              path("anna.txt") + "\tpassed\tchecks 3/3\tmessages 0\n" + path("ben.txt") +
                  "\tfailed\tchecks 2/3\tmessages 0\tThe sum belongs in 22.\n" + path("cleo.txt") +
                  "\tnot a program\tchecks 0/3\tmessages 0\tline 2 is empty, and "
                  "Open reads no further: 2 lines after it would be lost\n" +
                  path("dan.mrl") + "\tnot a program\tchecks 0/3\tmessages 0\t" + path("dan.mrl") +
                  " is not a Mirel source file.\n" + path("eve.txt") +
                  "\tfailed\tchecks 1/3\tmessages 90\tThree lines do it.\n" + path("none.txt") +
                  "\tnot a program\tchecks 0/3\tmessages 0\tCannot open " + path("none.txt") +
                  ": No such file or directory\n");
    EXPECT_EQ(err_.str(), "");

    // A bad exercise or bad arguments: status 2, nothing graded.
    write("bad.mrx", "title: Add\ncheck: 22 = 3C\n");
    EXPECT_EQ(run({"--check", path("bad.mrx"), path("anna.txt")}), 2);
    EXPECT_EQ(err_.str(), "mirelsim-batch: " + path("bad.mrx") +
                              ": line 2: a check needs the message the learner reads after '|'\n");
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(run({"--check", path("add.mrx")}), 2);
    EXPECT_EQ(run({"--steps", "5", "--check", path("add.mrx"), path("anna.txt")}), 2);
    EXPECT_EQ(run({"--check", path("add.mrx"), "--report", path("r.txt"), path("anna.txt")}), 2);
    EXPECT_EQ(run({"--report", path("r.txt"), "--check", path("add.mrx"), path("anna.txt")}), 2);
    EXPECT_FALSE(fs::exists(path("r.txt")));
}

TEST_F(BatchCheck, ReportsEveryCheckOfEveryFile) {
    ASSERT_EQ(run({"--report", path("r.csv"), "--check", path("add.mrx"), path("anna.txt"),
                   path("ben.txt")}),
              1);
    std::ifstream csv(path("r.csv"));
    std::stringstream text;
    text << csv.rdbuf();
    EXPECT_EQ(text.str(),
              "file,verdict,check,hidden,passed,expected,actual,message\n" + path("anna.txt") +
                  ",passed,22 = 3C,no,yes,3C,3C,The sum belongs in 22.\n" + path("anna.txt") +
                  ",passed,instructions <= 3,yes,yes,at most 3,3,Three lines do it.\n" +
                  path("anna.txt") +
                  ",passed,no messages,no,yes,none,0 messages,The run showed a message box; a "
                  "program that works shows none.\n" +
                  path("ben.txt") + ",failed,22 = 3C,no,no,3C,0E,The sum belongs in 22.\n" +
                  path("ben.txt") +
                  ",failed,instructions <= 3,yes,yes,at most 3,3,Three lines do it.\n" +
                  path("ben.txt") +
                  ",failed,no messages,no,yes,none,0 messages,The run showed a message box; a "
                  "program that works shows none.\n");

    ASSERT_EQ(run({"--report", path("r.xml"), "--check", path("add.mrx"), path("ben.txt"),
                   path("dan.mrl")}),
              1);
    std::ifstream xml(path("r.xml"));
    std::stringstream junit;
    junit << xml.rdbuf();
    const std::string x = junit.str();
    EXPECT_NE(x.find("<testsuite name=\"" + path("ben.txt") +
                     "\" tests=\"3\" failures=\"1\" errors=\"0\">"),
              std::string::npos);
    EXPECT_NE(x.find("<failure message=\"The sum belongs in 22.\">expected 3C, got 0E</failure>"),
              std::string::npos);
    EXPECT_NE(x.find("<testsuite name=\"" + path("dan.mrl") +
                     "\" tests=\"3\" failures=\"0\" errors=\"3\">"),
              std::string::npos);
    EXPECT_NE(x.find("name=\"instructions &lt;= 3\""), std::string::npos);

    ASSERT_EQ(run({"--report", path("r.json"), "--check", path("add.mrx"), path("anna.txt")}), 0);
    std::ifstream json(path("r.json"));
    std::stringstream report;
    report << json.rdbuf();
    EXPECT_NE(report.str().find("\"verdict\": \"passed\", \"reason\": \"\", \"passed\": 3, "
                                "\"checks\": 3, \"steps\": 3, \"instructions\": 3, \"cycles\": 3, "
                                "\"messages\": 0"),
              std::string::npos)
        << report.str();
}

} // namespace
} // namespace mirel::batch
