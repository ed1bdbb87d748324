#include "text/cp1251.h"

#include <array>

namespace qm {
namespace {

// Code points of the bytes 0x80..0xFF; 0xC0..0xFF are the contiguous А..я.
const char32_t kHighHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

// Lower/upper pairs of the code page outside a-z and а-я.
const unsigned char kCasePairs[][2] = {
    {0xB8, 0xA8}, // ё Ё
    {0x90, 0x80}, // ђ Ђ
    {0x83, 0x81}, // ѓ Ѓ
    {0x9A, 0x8A}, // љ Љ
    {0x9C, 0x8C}, // њ Њ
    {0x9D, 0x8D}, // ќ Ќ
    {0x9E, 0x8E}, // ћ Ћ
    {0x9F, 0x8F}, // џ Џ
    {0xA2, 0xA1}, // ў Ў
    {0xBC, 0xA3}, // ј Ј
    {0xB4, 0xA5}, // ґ Ґ
    {0xBA, 0xAA}, // є Є
    {0xBF, 0xAF}, // ї Ї
    {0xB3, 0xB2}, // і І
    {0xBE, 0xBD}, // ѕ Ѕ
};

struct CaseTables {
    std::array<unsigned char, 256> upper{}, lower{};
    CaseTables() {
        for (int i = 0; i < 256; ++i)
            upper[i] = lower[i] = static_cast<unsigned char>(i);
        for (int c = 'a'; c <= 'z'; ++c) {
            upper[c] = static_cast<unsigned char>(c - 32);
            lower[c - 32] = static_cast<unsigned char>(c);
        }
        for (int c = 0xE0; c <= 0xFF; ++c) {
            upper[c] = static_cast<unsigned char>(c - 32);
            lower[c - 32] = static_cast<unsigned char>(c);
        }
        for (const auto& p : kCasePairs) {
            upper[p[0]] = p[1];
            lower[p[1]] = p[0];
        }
    }
};

const CaseTables& caseTables() {
    static const CaseTables tables;
    return tables;
}

// Decodes one UTF-8 sequence at i; returns its length, or 0 when the bytes are not UTF-8.
size_t decodeUtf8(const std::string& s, size_t i, char32_t& cp) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = b(i);
    size_t len;
    char32_t min;
    if (c < 0x80) {
        cp = c;
        return 1;
    } else if ((c & 0xE0) == 0xC0) {
        len = 2, cp = c & 0x1F, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3, cp = c & 0x0F, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4, cp = c & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

} // namespace

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t cp1251ToUnicode(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
    return kHighHalf[byte - 0x80];
}

bool unicodeToCp1251(char32_t cp, unsigned char& byte) {
    static const auto reverse = [] {
        std::array<std::pair<char32_t, unsigned char>, 64> r{};
        for (int i = 0; i < 64; ++i)
            r[i] = {kHighHalf[i], static_cast<unsigned char>(0x80 + i)};
        return r;
    }();
    if (cp < 0x80) {
        byte = static_cast<unsigned char>(cp);
        return true;
    }
    if (cp >= 0x0410 && cp <= 0x044F) {
        byte = static_cast<unsigned char>(0xC0 + (cp - 0x0410));
        return true;
    }
    for (const auto& [u, b] : reverse) {
        if (u == cp) {
            byte = b;
            return true;
        }
    }
    return false;
}

std::string cp1251ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (unsigned char c : text)
        appendUtf8(out, cp1251ToUnicode(c));
    return out;
}

std::string utf8ToCp1251(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp;
        size_t len = decodeUtf8(utf8, i, cp);
        if (len == 0) throw EncodingError("invalid UTF-8 at byte " + std::to_string(i + 1));
        unsigned char byte;
        if (!unicodeToCp1251(cp, byte)) {
            char hex[16];
            snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(cp));
            throw EncodingError("the character '" + utf8.substr(i, len) + "' (" + hex +
                                ") has no Windows-1251 form");
        }
        out += static_cast<char>(byte);
        i += len;
    }
    return out;
}

bool isValidUtf8(const std::string& bytes) {
    for (size_t i = 0; i < bytes.size();) {
        char32_t cp;
        size_t len = decodeUtf8(bytes, i, cp);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

bool hasNonAscii(const std::string& bytes) {
    for (unsigned char c : bytes)
        if (c >= 0x80) return true;
    return false;
}

unsigned char upperCp1251(unsigned char c) {
    return caseTables().upper[c];
}
unsigned char lowerCp1251(unsigned char c) {
    return caseTables().lower[c];
}

std::string upperCase(std::string text) {
    const auto& t = caseTables().upper;
    for (char& c : text)
        c = static_cast<char>(t[static_cast<unsigned char>(c)]);
    return text;
}

std::string lowerCase(std::string text) {
    const auto& t = caseTables().lower;
    for (char& c : text)
        c = static_cast<char>(t[static_cast<unsigned char>(c)]);
    return text;
}

std::string ru(const char* utf8) {
    return utf8ToCp1251(utf8);
}

} // namespace qm
