#include "w_register.h"

#include "hex_text.h"

#include <cctype>

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

std::optional<int> plainW(const MainForm& form) {
    const std::string& w = form.W.text();
    if (w.size() > 2)
        return std::nullopt;
    for (char c : w)
        if (std::isxdigit(static_cast<unsigned char>(c)) == 0)
            return std::nullopt;
    const int value = readHex(w);
    for (std::size_t i = 0; i < 8; ++i)
        if (form.RW[i].text() != (((value >> i) & 1) != 0 ? "1" : "0"))
            return std::nullopt;
    return value;
}

} // namespace mirel::state
