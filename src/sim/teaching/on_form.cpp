#include "on_form.h"

#include "state/program_text.h"

namespace mirel::sim::teaching {

// W's value where W and the line are as the simulator writes them; else the
// W text itself, upper-cased: a single digit gets its leading "0" and an
// emptied W box stores 00 rather than a line without a value.
void OnForm::storeW(int index) {
    if (const auto value = state::plainW(form_); value && form_.registers.wellFormed(index)) {
        write(index, *value);
        return;
    }
    std::string text = state::upperCase(form_.W.text());
    if (text.size() < 2)
        text.insert(0, 2 - text.size(), '0');
    const std::string address(state::mid(form_.Reg.line(index), 1, 4));
    state::replaceRegisterLine(form_, index,
                               state::registerLineFromText(address, text, state::WTrans(form_)));
}

} // namespace mirel::sim::teaching
