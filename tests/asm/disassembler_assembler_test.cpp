// Disassembler and line assembler: every word there and back, and the texts
// each word class and each malformed statement gives.
#include "asm/disassembler.h"
#include "asm/line_assembler.h"
#include "canonical_word.h"
#include "state/hex_text.h"
#include "state/program_text.h"

#include <gtest/gtest.h>

namespace mirel::assembler {
namespace {

bool in(int w, int first, int last) {
    return w >= first && w <= last;
}

TEST(Disassembler, EveryWordAssemblesBackFromItsText) {
    for (int w = 0; w <= 0x3FFF; ++w) {
        const std::string word = state::hex4(w);
        const std::string text = GetOpcodeName(word);
        if (in(w, 0x0001, 0x0007) || in(w, 0x000A, 0x000F) || in(w, 0x0060, 0x0061) ||
            in(w, 0x0068, 0x006F)) {
            EXPECT_EQ(text, "None") << word;
            continue;
        }
        if (in(w, 0x0010, 0x005F) || in(w, 0x0070, 0x007F)) {
            EXPECT_EQ(text, "") << word;
            continue;
        }
        // The statement text: no blanks or tabs, as a program line is read for export.
        const std::string statement = state::compactText(text);
        EXPECT_EQ(AsmCodeRun(statement), state::hex4(canonicalWord(w))) << word << " " << text;
    }
}

TEST(Disassembler, TextsOfEachWordClass) {
    const std::pair<const char*, const char*> cases[] = {
        {"0000", "NOP"},       {"0008", "RTS"},       {"0009", "RTI"},       {"0062", "OPTION"},
        {"0063", "SLP"},       {"0064", "WDT"},       {"0066", "TRIS\t6"},   {"0061", "None"},
        {"0020", ""},          {"00A5", "STA\t25"},   {"0100", "CLR"},       {"017F", "CLR"},
        {"0185", "CLR\t05"},   {"0220", "SUB\t20 W"}, {"02A0", "SUB\t20"},   {"0FFF", "INZ\t7F"},
        {"1000", "RES\t00,0"}, {"13FF", "RES\t7F,7"}, {"1683", "SET\t03,5"}, {"1C85", "JBS\t05,1"},
        {"2000", "JSR\t0000"}, {"2123", "JSR\t0123"}, {"2A10", "JMP\t0210"}, {"2FFF", "JMP\t07FF"},
        {"3B12", "SUB\t12 H"}, {"3712", "RET\t12 H"}, {"3E3F", "ADD\t3F H"}, {"4000", "None"},
        {"FFFF", "None"},      {"3e3f", ""},          {"02G0", "SUB\tNone"}, {"0", ""},
        {"", "None"},          {"00AZ", "STA\t2Z"},   {"1G00", ""},          {"3", ""},
    };
    for (const auto& [word, text] : cases)
        EXPECT_EQ(GetOpcodeName(word), text) << word;
    EXPECT_EQ(GetDF("20"), "20 W");
    EXPECT_EQ(GetDF("A0"), "20");
    EXPECT_EQ(GetDF("x0"), "None");
}

TEST(LineAssembler, AnswersForWellFormedAndMalformedStatements) {
    const std::pair<const char*, const char*> cases[] = {
        {"CLR", "0100"},     {"CLRW", "0100"},      {"CLR25", "01A5"},   {"STA25", "00A5"},
        {"STA25W", "00A5"},  {"STA", "0080"},       {"SUB20", "02A0"},   {"SUB20W", "0220"},
        {"SUB20H", "3C20"},  {"SUB20X", ""},        {"SUB2", ""},        {"DEC20", "03A0"},
        {"DEC20X", "03A0"},  {"DEC20H", "03A0"},    {"DEC20W", "0320"},  {"DEC", "0380"},
        {"RET12", "3412"},   {"RET12H", "3412"},    {"RET", "34"},       {"RET5", "345"},
        {"SUB2XW", "022X"},  {"JMP0345", "2B45"},   {"JMP345", "2845"},  {"JMP", "2800"},
        {"JMP0800", "3000"}, {"JBS03,2", "1D03"},   {"RES00,0", "1000"}, {"SET7F,7", "17FF"},
        {"RES05,8", "1405"}, {"RES05,X", ""},       {"RES05,", ""},      {"NOPX", "0000"},
        {"ENDE", "END"},     {"OPTION", "0062"},    {"TRIS5", "0065"},   {"TRIS7", "0067"},
        {"TRIS4", ""},       {"TRIS", ""},          {"OPT", "ADR"},      {"NONE", "ADR"},
        {"", "ADR"},         {"0004SUB20W", "ADR"}, {"sub20", "ADR"},
    };
    for (const auto& [statement, answer] : cases) {
        const std::string got = AsmCodeRun(statement);
        EXPECT_EQ(got, answer) << statement;
        EXPECT_EQ(isWordText(got),
                  std::string_view(answer).size() == 4 && std::string_view(answer) != "022X")
            << statement;
    }
}

} // namespace
} // namespace mirel::assembler
