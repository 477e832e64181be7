#include "on_form.h"

#include "state/program_text.h"

namespace mirel::sim::teaching {

std::optional<int> storedW(const state::MainForm& form, int index) {
    const auto value = state::plainW(form);
    return value && form.registers.wellFormed(index) ? value : std::nullopt;
}

// Upper-cased; a single digit gets its leading "0" and an emptied W box
// stores 00 rather than a line without a value.
std::string lineOfWText(const state::MainForm& form, int index) {
    std::string text = state::upperCase(form.W.text());
    if (text.size() < 2)
        text.insert(0, 2 - text.size(), '0');
    const std::string address(state::mid(form.Reg.line(index), 1, 4));
    return state::registerLineFromText(address, text, state::WTrans(form));
}

void OnForm::storeW(int index) {
    if (const auto value = storedW(form_, index))
        write(index, *value);
    else
        state::replaceRegisterLine(form_, index, lineOfWText(form_, index));
}

} // namespace mirel::sim::teaching
