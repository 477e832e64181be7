#include "w_register.h"

#include "hex_text.h"

namespace mirel::state {

int WData(const MainForm& form) {
    return readHex(form.W.text());
}

std::string WTrans(const MainForm& form) {
    std::string bits;
    for (int i = 7; i >= 0; --i)
        bits += form.RW[static_cast<std::size_t>(i)].text();
    return bits;
}

void setW(MainForm& form, int value) {
    form.W.setText(hex2(value));
}

void W_Change(MainForm& form) {
    int v = readHex(form.W.text());
    for (int i = 7; i >= 0; --i) {
        std::string caption = "0";
        if (v - (1 << i) >= 0) {
            v -= 1 << i;
            caption = "1";
        }
        auto& label = form.RW[static_cast<std::size_t>(i)];
        if (label.text() != caption)
            label.setText(caption);
    }
}

} // namespace mirel::state
