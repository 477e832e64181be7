#include "files/file_bytes.h"
#include "files/text_program_reader.h"

#include <gtest/gtest.h>

namespace mirel::files {
namespace {

using Lines = std::vector<std::string>;

TEST(FileLines, AcceptCrLfAndBareLfAndStopAtTheFirstEmptyLine) {
    EXPECT_EQ(linesUpToFirstEmpty("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(linesUpToFirstEmpty("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(linesUpToFirstEmpty("a\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(linesUpToFirstEmpty("a\r\n\r\nb\r\n"), Lines{"a"});
    EXPECT_EQ(linesUpToFirstEmpty("a\n\nb\n"), Lines{"a"});
    EXPECT_EQ(linesUpToFirstEmpty(""), Lines{});
    EXPECT_EQ(linesUpToFirstEmpty("\r\na\r\n"), Lines{});
}

TEST(TextProgramReader, SplitsEveryLineAtItsFixedPositions) {
    EXPECT_EQ(readTextProgram("0003\tSTA\t0C\r\n"), Lines{"0003\tSTA\t0C"});
    EXPECT_EQ(readTextProgram("0003STA0C\r\n"), Lines{"0003\tSTA\t0C"});
    EXPECT_EQ(readTextProgram("0000\tNOP\t\r\n0001\tADD\t3F H\n"),
              (Lines{"0000\tNOP\t", "0001\tADD\t3F H"}));
    // Blanks stay where they are; only tabs are taken out before the split.
    EXPECT_EQ(readTextProgram("0002\tSUB\t20 W\r\n"), Lines{"0002\tSUB\t20 W"});
    EXPECT_EQ(readTextProgram("End\r\n"), Lines{"End\t\t"});
    EXPECT_EQ(readTextProgram("0000\tNOP\t\r\n\r\n0001\tNOP\t\r\n"), Lines{"0000\tNOP\t"});
}

} // namespace
} // namespace mirel::files
