#pragma once

#include "sim/teaching/execute.h"
#include "sim/teaching/instruction.h"
#include "state/main_form.h"
#include "state/w_register.h"
#include "step_prediction.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mirel::debug {

// The machine of the teaching model's cycle (sim/teaching/execute.h) laid
// over the form: register writes, W, the selection and the stack are kept
// aside, so the form never changes; messages are noted. When the
// instruction is done the cycle tells it what it worked with, and it puts
// that into words (teaching_words.cpp).
class TeachingOverlay {
public:
    static constexpr bool tells = true;
    static constexpr bool onlyInstructions = false;

    TeachingOverlay(const state::MainForm& form, const sim::Instruction& instruction,
                    const sim::ValueLine& line);

    int indirectTarget() const { return indirectTarget_; }
    int registerIndex(const sim::ValueLine& l) const;
    int read(int index) const {
        const auto it = writes_.find(index);
        return it != writes_.end() ? it->second : state::readRegister(form_, index);
    }
    void write(int index, int value) {
        if (form_.Reg.validIndex(index))
            writes_[index] = value & 0xFF;
    }
    void writeOperand(int index, int value) { write(index, value); }
    int w() const { return state::WData(form_); }
    void setW(int value) { w_ = state::hex2(value); }
    bool validRegister(int index) const { return form_.Reg.validIndex(index); }
    void storeW(int index);
    void instructionStarting() {}
    void push(int callingLine);
    int pop();
    int lineCount() const { return form_.Code.count(); }
    void select(int line) { selected_ = line; }
    void warn(const std::string& text) { messages_.push_back(text); }
    void portTail();
    void told(const sim::teaching::Told& told);

    // What the step did: in words, and as its changes.
    const std::string& words() const { return words_; }
    bool skipped() const { return skipped_; }
    std::vector<RegisterChange> registerChanges() const;
    const std::optional<std::string>& wText() const { return w_; }
    int selected() const { return selected_; }
    const std::optional<std::vector<std::string>>& stack() const { return stack_; }
    const std::vector<std::string>& messages() const { return messages_; }

private:
    std::string registerName(int index) const;
    std::string bitName(int index, int bit) const;
    std::string lineNamed(int index) const;
    std::string byteWords(const sim::teaching::Told& told) const;
    std::string transferWords() const;
    std::vector<std::string>& stackLines() {
        if (!stack_)
            stack_ = form_.SPReg.lines();
        return *stack_;
    }

    const state::MainForm& form_;
    const sim::Instruction& instruction_;
    const sim::ValueLine& line_;
    int indirectTarget_;
    std::map<int, int> writes_;
    std::optional<std::string> w_;
    int selected_;
    std::optional<std::vector<std::string>> stack_;
    std::vector<std::string> messages_;
    // The stack as a return found it, for the words: its top, or empty.
    std::optional<std::string> popped_;
    std::string pushWords_;
    std::string words_;
    bool skipped_ = false;
};

} // namespace mirel::debug
