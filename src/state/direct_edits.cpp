#include "direct_edits.h"

#include "hex_text.h"
#include "program_counter.h"
#include "program_text.h"

namespace mirel::state {

void Counter_KeyPress(MainForm& form, int key) {
    if (key != enterKey)
        return;
    // Before the first New or Open there is no line to write into.
    if (form.Code.empty())
        return;
    const int selected = form.Code.selectedIndex() < 0 ? 0 : form.Code.selectedIndex();
    const std::string entry = upperCase(trimBlanks(removeChar(form.Counter.editText(), ' ')));
    if (entry.size() < 7)
        return;

    std::string line;
    line.append(mid(entry, 1, 4)).append("\t").append(mid(entry, 5, 3)).append("\t");
    line.append(mid(entry, 8));
    form.Code.replaceAt(selected, std::move(line));

    const int last = form.Code.count() - 1;
    // Re-selecting the line that stays selected would be no click; force the refresh.
    if (form.Code.selectedIndex() == last)
        Code_Click(form);
    else
        form.Code.select(last);
    form.Code.append(hex4(form.Code.count()) + "   ");
    form.Code.select(form.Code.count() - 1);
    form.Counter.caretToEnd();
}

void Mirel_Click(MainForm& form) {
    if (form.Code.count() <= 1)
        return;
    form.Code.select(form.Code.count() - 1);
    form.Code.removeAt(form.Code.count() - 1);
    form.Code.select(form.Code.count() - 1);
}

} // namespace mirel::state
