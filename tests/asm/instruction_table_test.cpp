// The instruction set table: mnemonics, named ranges and assembled words.
#include "asm/instruction_reference.h"
#include "asm/instruction_table.h"
#include "asm/line_assembler.h"
#include "canonical_word.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace mirel::assembler {
namespace {

// Lookup is exact and case-sensitive: the cycle's three characters of OPTION
// and TRIS, the end mark and an address-only line name nothing.
TEST(InstructionTable, LookupByMnemonic) {
    const std::vector<std::pair<std::string, std::optional<Operation>>> cases = {
        {"SUB", Operation::Sub},   {"RTI", Operation::Rti}, {"OPTION", Operation::Option},
        {"TRIS", Operation::Tris}, {"nop", std::nullopt},   {"OPT", std::nullopt},
        {"TRI", std::nullopt},     {"END", std::nullopt},   {"", std::nullopt},
    };
    for (const auto& [mnemonic, operation] : cases)
        EXPECT_EQ(operationOf(mnemonic), operation) << mnemonic;
}

TEST(InstructionTable, WordsNameTheDocumentedForms) {
    struct Case {
        Word word;
        std::string mnemonic;
        OperandKind operand;
        int value;
        int selector;
    };
    const std::vector<Case> cases = {
        {0x0000, "NOP", OperandKind::None, 0, 0},
        {0x0008, "RTS", OperandKind::None, 0, 0},
        {0x0062, "OPTION", OperandKind::None, 0, 0},
        {0x0066, "TRIS", OperandKind::Port, 6, 0},
        {0x00A5, "STA", OperandKind::Register, 0x25, 0},
        {0x0142, "CLR", OperandKind::None, 0, 0},
        {0x0185, "CLR", OperandKind::Register, 0x05, 0},
        {0x0220, "SUB", OperandKind::RegisterDestination, 0x20, 0},
        {0x02A0, "SUB", OperandKind::RegisterDestination, 0x20, 1},
        {0x0FFF, "INZ", OperandKind::RegisterDestination, 0x7F, 1},
        {0x1683, "SET", OperandKind::RegisterBit, 0x03, 5},
        {0x1C85, "JBS", OperandKind::RegisterBit, 0x05, 1},
        {0x1000, "RES", OperandKind::RegisterBit, 0x00, 0},
        {0x2A10, "JMP", OperandKind::Address, 0x210, 0},
        {0x2123, "JSR", OperandKind::Address, 0x123, 0},
        {0x3E3F, "ADD", OperandKind::Literal, 0x3F, 0},
        {0x3B12, "SUB", OperandKind::Literal, 0x12, 0},
        {0x3712, "RET", OperandKind::Literal, 0x12, 0},
        {0x3A80, "XOR", OperandKind::Literal, 0x80, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        const InstructionForm* form = formOfWord(c.word);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->mnemonic, c.mnemonic);
        EXPECT_EQ(form->operand, c.operand);
        EXPECT_EQ(operandOf(*form, c.word), c.value);
        EXPECT_EQ(selectorOf(*form, c.word), c.selector);
    }
}

// Every named word assembles back to itself, except the words that several
// texts share; the words the table does not name are exactly the documented gaps.
TEST(InstructionTable, NamedWordsAssembleBack) {
    auto in = [](int w, int first, int last) { return w >= first && w <= last; };
    auto unnamed = [&](int w) {
        return in(w, 0x0001, 0x0007) || in(w, 0x000A, 0x005F) || in(w, 0x0060, 0x0061) ||
               in(w, 0x0068, 0x007F) || w > 0x3FFF;
    };
    for (int w = 0; w <= 0x4100; ++w) {
        const Word word = static_cast<Word>(w);
        const InstructionForm* form = formOfWord(word);
        if (unnamed(w)) {
            EXPECT_EQ(form, nullptr) << std::hex << w;
            continue;
        }
        ASSERT_NE(form, nullptr) << std::hex << w;
        const auto back = assemble(*form, operandOf(*form, word), selectorOf(*form, word));
        EXPECT_EQ(back ? std::optional<int>(*back) : std::nullopt, canonicalWord(w))
            << std::hex << w;
    }
}

TEST(InstructionTable, StatementFormsAssemble) {
    struct Case {
        std::string mnemonic;
        OperandKind operand;
        int value;
        int selector;
        Word word;
    };
    const std::vector<Case> cases = {
        {"SUB", OperandKind::RegisterDestination, 0x20, 0, 0x0220}, // SUB20W
        {"SUB", OperandKind::RegisterDestination, 0x20, 1, 0x02A0}, // SUB20
        {"SUB", OperandKind::Literal, 0x20, 0, 0x3C20},             // SUB20H
        {"CLR", OperandKind::None, 0, 0, 0x0100},
        {"JMP", OperandKind::Address, 0x345, 0, 0x2B45},
        {"JBS", OperandKind::RegisterBit, 0x03, 2, 0x1D03},
        {"RET", OperandKind::Literal, 0xFF, 0, 0x34FF},
        {"SLP", OperandKind::None, 0, 0, 0x0063},
    };
    for (const Case& c : cases) {
        const InstructionForm* form = findForm(c.mnemonic, c.operand);
        ASSERT_NE(form, nullptr) << c.mnemonic;
        EXPECT_EQ(assemble(*form, c.value, c.selector), std::optional<Word>(c.word)) << c.mnemonic;
    }
    EXPECT_EQ(findForm("RET", OperandKind::RegisterDestination), nullptr);
    EXPECT_EQ(assemble(*findForm("TRIS", OperandKind::Port), 6), std::optional<Word>(0x0066));
}

// Each mnemonic is three letters, and one operation belongs to one mnemonic.
TEST(InstructionTable, MnemonicsAndOperationsCorrespond) {
    std::set<std::pair<std::string_view, Operation>> pairs;
    std::set<std::string_view> mnemonics;
    for (const InstructionForm& form : instructionSet()) {
        pairs.insert({form.mnemonic, form.operation});
        mnemonics.insert(form.mnemonic);
        if (form.operation != Operation::Option && form.operation != Operation::Tris) {
            EXPECT_EQ(form.mnemonic.size(), 3u) << form.mnemonic;
        }
        EXPECT_LE(form.first, form.last);
    }
    EXPECT_EQ(pairs.size(), mnemonics.size());
    EXPECT_EQ(mnemonics.size(), 30u);
}

bool matchesPattern(Word word, const std::string& pattern) {
    int bit = 13;
    for (char c : pattern) {
        if (c == ' ')
            continue;
        if ((c == '0' || c == '1') && ((word >> bit) & 1) != c - '0')
            return false;
        --bit;
    }
    return bit == -1;
}

// The reference has one entry per form; each typed example assembles to a
// word of its own form, and the word patterns tell every word apart.
TEST(InstructionReference, CoversEveryFormAsTypedAndAsWord) {
    const std::vector<ReferenceEntry> entries = instructionReference();
    std::set<const InstructionForm*> forms;
    for (const ReferenceEntry& entry : entries) {
        SCOPED_TRACE(entry.typed);
        forms.insert(entry.form);
        EXPECT_EQ(entry.mnemonic, entry.form->mnemonic);
        EXPECT_FALSE(entry.does.empty());
        for (std::string statement : typedForms(*entry.form)) {
            std::erase(statement, ' ');
            const std::string word = AsmCodeRun(statement);
            ASSERT_TRUE(isWordText(word)) << statement;
            const auto value = static_cast<Word>(std::stoi(word, nullptr, 16));
            EXPECT_EQ(formOfWord(value), entry.form) << statement;
            EXPECT_TRUE(matchesPattern(value, entry.pattern)) << statement;
        }
    }
    EXPECT_EQ(forms.size(), instructionSet().size());
    EXPECT_EQ(entries.size(), instructionSet().size());

    for (int w = 0; w <= 0x3FFF; ++w) {
        const auto word = static_cast<Word>(w);
        int matching = 0;
        // TRIS takes ports 5 to 7 only; its pattern's lower ports are other words.
        for (const ReferenceEntry& entry : entries)
            if (entry.form->operand != OperandKind::Port || operandOf(*entry.form, word) >= 5)
                matching += matchesPattern(word, entry.pattern) ? 1 : 0;
        EXPECT_LE(matching, 1) << w;
        // Every word that assembles back to itself is in its form's pattern.
        const InstructionForm* form = formOfWord(word);
        if (form && canonicalWord(w) == w) {
            EXPECT_TRUE(matchesPattern(word, wordPattern(*form))) << w;
        }
    }
    EXPECT_EQ(wordPattern(*findForm("ADD", OperandKind::RegisterDestination)), "00 0111 dfff ffff");
    EXPECT_EQ(wordPattern(*findForm("SUB", OperandKind::Literal)), "11 110x kkkk kkkk");
    EXPECT_EQ(wordPattern(*findForm("JBS", OperandKind::RegisterBit)), "01 11bb bfff ffff");
}

TEST(InstructionReference, FilterByMnemonicOrWords) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "ADD ADD AND AND CLR CLR CPL DEC DEZ INC INZ JBR JBS JMP JSR LDA LDA NOP OPTION "
             "ORA ORA RES RET RLA RRA RTI RTS SET SLP SPA STA SUB SUB TRIS WDT XOR XOR"},
        {"add", "ADD ADD"},
        {"  Lda   3f ", "LDA"},
        {"skip", "DEZ INZ JBR JBS"},
        {"unlike the device", "ADD ADD CLR CLR CPL DEZ INZ LDA OPTION RTI SLP SUB SUB TRIS WDT"},
        {"through c", "RLA RRA"},
        {"borrow", "SUB SUB"},
        {"0111", "ADD"},
    };
    const std::vector<ReferenceEntry> entries = instructionReference();
    for (const auto& [filter, expected] : cases) {
        std::string shown;
        for (const ReferenceEntry& entry : entries)
            if (matchesFilter(entry, filter))
                shown += (shown.empty() ? "" : " ") + entry.mnemonic;
        EXPECT_EQ(shown, expected) << "filter '" << filter << "'";
    }
}

} // namespace
} // namespace mirel::assembler
