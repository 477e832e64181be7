#pragma once

namespace mirel::assembler {

// The word that the text of a named word assembles back to: the word itself,
// except where several words share one text.
inline int canonicalWord(int w) {
    const auto in = [w](int first, int last) { return w >= first && w <= last; };
    if (in(0x0101, 0x017F))
        return 0x0100;
    if (in(0x3100, 0x33FF))
        return 0x3000 + (w & 0xFF);
    if (in(0x3500, 0x37FF))
        return 0x3400 + (w & 0xFF);
    if (in(0x3B00, 0x3BFF) || in(0x3D00, 0x3DFF))
        return 0x3C00 + (w & 0xFF);
    if (in(0x3F00, 0x3FFF))
        return 0x3E00 + (w & 0xFF);
    return w;
}

} // namespace mirel::assembler
