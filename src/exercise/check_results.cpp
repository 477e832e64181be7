#include "check_results.h"

#include <cctype>
#include <cstdio>

namespace mirel::exercise {

namespace {

std::string hex(long long value, int digits) {
    char text[12];
    std::snprintf(text, sizeof text, "%0*llX", digits, value);
    return text;
}

// W as a step writes it: two hex digits. Any other text is not a value.
int wValue(const state::MainForm& form) {
    const std::string& text = form.W.text();
    if (text.size() != 2 || !std::isxdigit(static_cast<unsigned char>(text[0])) ||
        !std::isxdigit(static_cast<unsigned char>(text[1])))
        return -1;
    return std::stoi(text, nullptr, 16);
}

std::string waitingText(const state::MainForm& form, const RunOutcome& run) {
    if (run.haltedLine >= 0)
        return "waits at " + form.Code.line(run.haltedLine).substr(0, 4);
    const int at = form.Code.selectedIndex();
    if (at >= 0 && at < form.Code.count())
        return "still runs, at " + form.Code.line(at).substr(0, 4);
    return "still runs";
}

CheckResult compare(const Check& check, int value, std::string actual) {
    const bool same = value == check.value;
    return {&check, value >= 0 && same == check.equal, expectedText(check), std::move(actual)};
}

} // namespace

std::string expectedText(const Check& check) {
    using Kind = Check::Kind;
    const std::string no = check.equal ? "" : "not ";
    switch (check.kind) {
    case Kind::Register:
    case Kind::W:
        return no + hex(check.value, 2);
    case Kind::RegisterBit:
    case Kind::WBit:
        return no + std::to_string(check.value);
    case Kind::Halted:
        return "waits";
    case Kind::HaltedAt:
        return "waits at " + hex(check.address, 4);
    case Kind::StackEmpty:
        return "empty";
    case Kind::NoMessages:
        return "none";
    case Kind::Instructions:
    case Kind::Cycles:
        return "at most " + std::to_string(check.value);
    }
    return {};
}

CheckResult checkResult(const Check& check, const state::MainForm& form, const RunOutcome& run) {
    using Kind = Check::Kind;
    switch (check.kind) {
    case Kind::Register: {
        const int value = form.registers.value(check.address);
        return compare(check, value, hex(value, 2));
    }
    case Kind::RegisterBit: {
        const int bit = (form.registers.value(check.address) >> check.bit) & 1;
        return compare(check, bit, std::to_string(bit));
    }
    case Kind::W: {
        const int value = wValue(form);
        return compare(check, value, value < 0 ? form.W.text() : hex(value, 2));
    }
    case Kind::WBit: {
        const int value = wValue(form);
        const int bit = value < 0 ? -1 : (value >> check.bit) & 1;
        return compare(check, bit, bit < 0 ? form.W.text() : std::to_string(bit));
    }
    case Kind::Halted:
    case Kind::HaltedAt: {
        std::string actual = waitingText(form, run);
        const bool passed =
            check.kind == Kind::Halted ? run.haltedLine >= 0 : actual == expectedText(check);
        return {&check, passed, expectedText(check), std::move(actual)};
    }
    case Kind::StackEmpty: {
        const int entries = form.SPReg.count() - 1; // below the heading
        return {&check, entries <= 0, expectedText(check),
                entries <= 0 ? "empty"
                             : std::to_string(entries) + (entries == 1 ? " entry" : " entries")};
    }
    case Kind::NoMessages: {
        std::string actual =
            std::to_string(run.messages) + (run.messages == 1 ? " message" : " messages");
        if (run.messages > 0)
            actual += ", the first: " + run.firstMessage;
        return {&check, run.messages == 0, expectedText(check), std::move(actual)};
    }
    case Kind::Instructions:
        return {&check, run.instructions <= check.value, expectedText(check),
                std::to_string(run.instructions)};
    case Kind::Cycles:
        return {&check, run.cycles <= check.value, expectedText(check), std::to_string(run.cycles)};
    }
    return {&check, false, expectedText(check), {}};
}

} // namespace mirel::exercise
