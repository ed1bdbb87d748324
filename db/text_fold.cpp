#include "db/text_fold.h"

#include "text/cp1251.h"

#include <vector>

namespace qm {
namespace {

const char32_t kRawByte = 0x110000;

// One code point at p (advanced past it); a byte that starts no valid sequence stands alone.
char32_t nextCodePoint(const unsigned char*& p, const unsigned char* end) {
    unsigned char c = *p;
    size_t len = c < 0x80             ? 1
                 : (c & 0xE0) == 0xC0 ? 2
                 : (c & 0xF0) == 0xE0 ? 3
                 : (c & 0xF8) == 0xF0 ? 4
                                      : 0;
    if (len == 1) return *p++;
    const char32_t mins[] = {0, 0, 0x80, 0x800, 0x10000};
    if (len == 0 || static_cast<size_t>(end - p) < len) return kRawByte + *p++;
    char32_t cp = c & (0x7F >> len);
    for (size_t k = 1; k < len; ++k) {
        if ((p[k] & 0xC0) != 0x80) return kRawByte + *p++;
        cp = (cp << 6) | (p[k] & 0x3F);
    }
    if (cp < mins[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kRawByte + *p++;
    p += len;
    return cp;
}

// A byte that was no UTF-8 goes back as it came.
void appendCodePoint(std::string& out, char32_t cp) {
    if (cp >= kRawByte) out += static_cast<char>(cp - kRawByte);
    else appendUtf8(out, cp);
}

// Blocks where upper and lower case alternate: the even (or odd) one is the capital.
bool inAlternatingBlock(char32_t cp, bool& capitalIsEven) {
    capitalIsEven = true;
    if ((cp >= 0x0460 && cp <= 0x0481) || (cp >= 0x048A && cp <= 0x04BF) ||
        (cp >= 0x04D0 && cp <= 0x04FF))
        return true;
    capitalIsEven = false;
    return cp >= 0x04C1 && cp <= 0x04CE;
}

// Collation weight: the lower case, with "ё" placed between "е" and "ж".
char32_t weight(char32_t cp) {
    char32_t low = lowerLetter(cp);
    if (low == 0x0451) return 0x0435 * 2 + 1;
    return low * 2;
}

std::string mapped(std::string_view text, char32_t (*f)(char32_t)) {
    std::string out;
    out.reserve(text.size());
    auto p = reinterpret_cast<const unsigned char*>(text.data());
    const auto end = p + text.size();
    while (p < end)
        appendCodePoint(out, f(nextCodePoint(p, end)));
    return out;
}

} // namespace

std::u32string decodeUtf8Lossless(std::string_view text) {
    std::u32string out;
    auto p = reinterpret_cast<const unsigned char*>(text.data());
    const auto end = p + text.size();
    while (p < end)
        out += nextCodePoint(p, end);
    return out;
}

std::string encodeUtf8Lossless(const std::u32string& text) {
    std::string out;
    for (char32_t cp : text)
        appendCodePoint(out, cp);
    return out;
}

char32_t lowerLetter(char32_t cp) {
    if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)) return cp + 0x20;
    if (cp >= 0x0400 && cp <= 0x040F) return cp + 0x50;
    if (cp >= 0x0410 && cp <= 0x042F) return cp + 0x20;
    if (cp == 0x04C0) return 0x04CF;
    bool even;
    if (inAlternatingBlock(cp, even) && (cp % 2 == 0) == even) return cp + 1;
    return cp;
}

char32_t upperLetter(char32_t cp) {
    if ((cp >= 'a' && cp <= 'z') || (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)) return cp - 0x20;
    if (cp >= 0x0450 && cp <= 0x045F) return cp - 0x50;
    if (cp >= 0x0430 && cp <= 0x044F) return cp - 0x20;
    if (cp == 0x04CF) return 0x04C0;
    bool even;
    if (cp > 0 && inAlternatingBlock(cp - 1, even) && ((cp - 1) % 2 == 0) == even) return cp - 1;
    return cp;
}

std::string lowerUtf8(std::string_view text) {
    return mapped(text, lowerLetter);
}
std::string upperUtf8(std::string_view text) {
    return mapped(text, upperLetter);
}

int compareIgnoringCase(std::string_view a, std::string_view b) {
    auto pa = reinterpret_cast<const unsigned char*>(a.data()), ea = pa + a.size();
    auto pb = reinterpret_cast<const unsigned char*>(b.data()), eb = pb + b.size();
    while (pa < ea && pb < eb) {
        char32_t wa = weight(nextCodePoint(pa, ea)), wb = weight(nextCodePoint(pb, eb));
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    if (pa < ea) return 1;
    return pb < eb ? -1 : 0;
}

bool likeMatches(std::string_view pattern, std::string_view text, char32_t escape) {
    enum class Kind { Literal, One, Any };
    struct Token {
        Kind kind;
        char32_t cp;
    };
    std::vector<Token> tokens;
    const std::u32string p = decodeUtf8Lossless(pattern);
    for (size_t i = 0; i < p.size(); ++i) {
        if (escape != 0 && p[i] == escape) {
            if (++i == p.size()) return false;
            tokens.push_back({Kind::Literal, lowerLetter(p[i])});
        } else if (p[i] == '%') {
            if (tokens.empty() || tokens.back().kind != Kind::Any) tokens.push_back({Kind::Any, 0});
        } else if (p[i] == '_') {
            tokens.push_back({Kind::One, 0});
        } else {
            tokens.push_back({Kind::Literal, lowerLetter(p[i])});
        }
    }
    std::u32string t = decodeUtf8Lossless(text);
    for (char32_t& c : t)
        c = lowerLetter(c);
    // Greedy matching that backs up to the last '%' on a mismatch: O(pattern * text).
    size_t ti = 0, pi = 0, starP = std::string::npos, starT = 0;
    while (ti < t.size()) {
        if (pi < tokens.size() && (tokens[pi].kind == Kind::One ||
                                   (tokens[pi].kind == Kind::Literal && tokens[pi].cp == t[ti]))) {
            ++pi, ++ti;
        } else if (pi < tokens.size() && tokens[pi].kind == Kind::Any) {
            starP = pi++;
            starT = ti;
        } else if (starP != std::string::npos) {
            pi = starP + 1;
            ti = ++starT;
        } else {
            return false;
        }
    }
    while (pi < tokens.size() && tokens[pi].kind == Kind::Any)
        ++pi;
    return pi == tokens.size();
}

} // namespace qm
