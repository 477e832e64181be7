// Exercise files as teachers write them, and every mistake told with its line.
#include "exercise/exercise_reader.h"

#include <gtest/gtest.h>

namespace mirel::exercise {
namespace {

TEST(ExerciseReader, ReadsEveryKey) {
    std::string error;
    const auto exercise = readExercise("# a comment\r\n"
                                       "Title:  Count  \r\n"
                                       "task: First line.\n"
                                       "task:\n"
                                       "model: 16f628a\n"
                                       "inputs at 200: B 01\n"
                                       "inputs: a 05 B FF\n"
                                       "steps: 5000\n"
                                       "until: Halted\n"
                                       "\n"
                                       "check: PORTB=0A | Lamps.\n"
                                       "hidden check: w.7 != 1 | Sign.\n"
                                       "check: halted at 000e | Wait.\n"
                                       "check: CYCLES <= 80 | Quick.\n",
                                       error);
    ASSERT_TRUE(exercise) << error;
    EXPECT_EQ(exercise->title, "Count");
    EXPECT_EQ(exercise->task, (std::vector<std::string>{"First line.", ""}));
    EXPECT_EQ(exercise->model, parts::Model::F628A);
    ASSERT_EQ(exercise->inputs.size(), 2u); // sorted by step
    EXPECT_EQ(exercise->inputs[0].step, 0);
    EXPECT_EQ(exercise->inputs[0].a, 0x05);
    EXPECT_EQ(exercise->inputs[0].b, 0xFF);
    EXPECT_EQ(exercise->inputs[1].step, 200);
    EXPECT_EQ(exercise->inputs[1].a, -1);
    EXPECT_EQ(exercise->steps, 5000);
    EXPECT_TRUE(exercise->untilHalted);
    ASSERT_EQ(exercise->checks.size(), 5u); // "no messages" comes last, implied
    const Check& lamps = exercise->checks[0];
    EXPECT_EQ(lamps.kind, Check::Kind::Register);
    EXPECT_EQ(lamps.address, 0x06);
    EXPECT_EQ(lamps.value, 0x0A);
    EXPECT_EQ(lamps.text, "PORTB=0A");
    EXPECT_EQ(lamps.message, "Lamps.");
    EXPECT_EQ(lamps.line, 11);
    const Check& sign = exercise->checks[1];
    EXPECT_EQ(sign.kind, Check::Kind::WBit);
    EXPECT_TRUE(sign.hidden);
    EXPECT_FALSE(sign.equal);
    EXPECT_EQ(sign.bit, 7);
    EXPECT_EQ(exercise->checks[2].kind, Check::Kind::HaltedAt);
    EXPECT_EQ(exercise->checks[2].address, 0x0E);
    EXPECT_EQ(exercise->checks[3].kind, Check::Kind::Cycles);
    EXPECT_EQ(exercise->checks[3].value, 80);
    EXPECT_EQ(exercise->checks[4].kind, Check::Kind::NoMessages);
}

TEST(ExerciseReader, TellsEachMistakeWithItsLine) {
    const std::string head = "title: T\n";
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"check: 20 = 01 | m\n", "line 1: the file has no title: write 'title: ' and the "
                                 "exercise's name"},
        {head, "line 1: the file has no check: write 'check: ', what must hold, '|' and the "
               "message the learner reads when it does not"},
        {head + "title: U\n", "line 2: the title is given twice"},
        {head + "just words\n",
         "line 2: 'just words' is no key and value: write a key, a colon and its value"},
        {head + "goal: 20 = 01\n",
         "line 2: unknown key 'goal' (expected title, task, model, inputs, inputs at N, steps, "
         "until, messages, check or hidden check)"},
        {head + "model: 16F88\n",
         "line 2: unknown model '16F88' (expected Teaching Model, 16F84A, 16F628A or 16F877A)"},
        {head + "model: 16F84A\nmodel: 16F84A\n", "line 3: the model is given twice"},
        {head + "steps: 0\n", "line 2: steps needs a whole number from 1 to 100000000, not '0'"},
        {head + "steps: 10k\n",
         "line 2: steps needs a whole number from 1 to 100000000, not '10k'"},
        {head + "until: done\n", "line 2: until takes only 'halted', not 'done'"},
        {head + "messages: none\n", "line 2: messages takes only 'allowed', not 'none'"},
        {head + "inputs: C 01\n", "line 2: inputs need a port and two hex digits, as in "
                                  "'A 05' or 'A 05 B 01', not 'C 01'"},
        {head + "inputs: A 105\n", "line 2: inputs need a port and two hex digits, as in "
                                   "'A 05' or 'A 05 B 01', not 'A 105'"},
        {head + "inputs at soon: A 01\n", "line 2: 'inputs at soon' needs a step count after 'at'"},
        {head + "inputs at 5: A 01\ninputs at 5: B 01\n",
         "line 3: the inputs at step 5 are given twice"},
        {head + "check: 20 = 01\n",
         "line 2: a check needs the message the learner reads after '|'"},
        {head + "check: 20 = 01 |   \n",
         "line 2: a check needs the message the learner reads after '|'"},
        {head + "check: 20 = 100 | m\n",
         "line 2: cannot read the check '20 = 100' (expected REGISTER = HH, REGISTER.BIT = 0 "
         "or 1, W = HH, halted, halted at ADDRESS, stack empty, no messages, instructions <= N "
         "or cycles <= N)"},
        {head + "check: 20.8 = 1 | m\n",
         "line 2: cannot read the check '20.8 = 1' (expected REGISTER = HH, REGISTER.BIT = 0 "
         "or 1, W = HH, halted, halted at ADDRESS, stack empty, no messages, instructions <= N "
         "or cycles <= N)"},
        {head + "check: 20 > 1 | m\n",
         "line 2: cannot read the check '20 > 1' (expected REGISTER = HH, REGISTER.BIT = 0 "
         "or 1, W = HH, halted, halted at ADDRESS, stack empty, no messages, instructions <= N "
         "or cycles <= N)"},
        {head + "check: 0201 = 00 | m\n", "line 2: register 0201 lies beyond the register file"},
        {head + "model: 16F84A\ncheck: 0200 = 00 | m\n",
         "line 3: register 0200 lies beyond the register file"},
        {head + "check: PORTC = 00 | m\n",
         "line 2: no register is named 'PORTC' in the Teaching Model"},
        // The model may come after the checks that use its names.
        {head + "check: PORTC = 00 | m\nmodel: 16F84A\n",
         "line 2: no register is named 'PORTC' in the 16F84A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string error;
        EXPECT_FALSE(readExercise(c.text, error));
        EXPECT_EQ(error, c.error);
    }
    std::string error;
    EXPECT_TRUE(readExercise(head + "check: PORTC = 00 | m\nmodel: 16F877A\n", error)) << error;
}

TEST(ExerciseReader, FileErrorsNameTheFile) {
    std::string error;
    EXPECT_FALSE(readExerciseFile("/nonexistent/x.mrx", error));
    EXPECT_NE(error.find("/nonexistent/x.mrx"), std::string::npos) << error;
}

} // namespace
} // namespace mirel::exercise
