#include "drawing/dxf_text.h"

#include "text/cp1251.h"

namespace qm::drawing {

namespace {

// The next code point of a UTF-8 text (the drawing only holds valid UTF-8; a stray byte reads
// as itself).
char32_t nextCodePoint(const std::string& s, std::size_t& i) {
    unsigned char c = static_cast<unsigned char>(s[i++]);
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 3 ? c & 0x07 : extra == 2 ? c & 0x0F : extra == 1 ? c & 0x1F : c;
    for (int k = 0; k < extra && i < s.size(); ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    return cp;
}

std::string hex4(char32_t cp) {
    const char* digits = "0123456789ABCDEF";
    std::string r;
    for (int shift = cp > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4)
        r += digits[(cp >> shift) & 0xF];
    return r;
}

std::string encodeChar(char32_t cp) {
    switch (cp) {
    case U'\u00B0':
        return "%%d";
    case U'\u00B1':
        return "%%p";
    case U'\u2300':
    case U'\u00D8':
        return "%%c"; // the diameter sign
    default:
        break;
    }
    if (cp < 0x20) return " ";
    unsigned char byte;
    if (unicodeToCp1251(cp, byte) && byte != '^') return std::string(1, static_cast<char>(byte));
    return "\\U+" + hex4(cp); // '^' too: AutoCAD reads it as a control prefix
}

} // namespace

std::string dxfText(const std::string& utf8, std::size_t maxBytes) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::string piece = encodeChar(nextCodePoint(utf8, i));
        if (out.size() + piece.size() > maxBytes) break;
        out += piece;
    }
    return out;
}

std::string dxfPlain(const std::string& cp1251, std::size_t maxBytes) {
    std::string out;
    for (unsigned char c : cp1251) {
        if (out.size() >= maxBytes) break;
        out += c < 0x20 ? ' ' : static_cast<char>(c);
    }
    return out;
}

} // namespace qm::drawing
