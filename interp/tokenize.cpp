// Tokenizing: an expression text becomes typed tokens; variables and array elements are read now.
#include "interp/eval.h"

#include "interp/convert.h"
#include "interp/errors.h"
#include "interp/scopes.h"
#include "text/cp1251.h"
#include "text/numbers.h"

#include <cstring>

namespace qm {
namespace {

bool isDelimiter(char c) { return c != '\0' && std::strchr(" +-*/():,<>=", c) != nullptr; }

// Built-in names recognised with their "(".
const char* const kBuiltinNames[] = {
    "SIN(",  "COS(",   "TAN(",   "POW(",   "SQRT(",  "ASIN(",     "ACOS(",          "ATAN(",
    "SINA(", "COSA(",  "TANA(",  "STR(",   "INT(",   "ABS(",      "LOG(",           "EXP(",
    "FLOOR(", "LOG10(", "ASINA(", "ACOSA(", "LIMITKVALITET(", "DIMTOSTR(", "NUMTOSTR(",
    "SQLSETDB(", "SIZE(", "SUBSTR(", "A_TANA(", "SQLREZULT(",
};

struct Cursor {
    const std::string& text;
    size_t pos = 0;
    bool startsWith(const char* s) const { return text.compare(pos, std::strlen(s), s) == 0; }
    bool startsWith(const std::string& s) const { return text.compare(pos, s.size(), s) == 0; }
    char at(size_t k) const { return pos + k < text.size() ? text[pos + k] : '\0'; }
    void skipSpaces() {
        while (pos < text.size() && text[pos] == ' ') ++pos;
    }
    // Length of the identifier: up to the first delimiter.
    size_t identifierLength() const {
        size_t k = pos;
        while (k < text.size() && !isDelimiter(text[k])) ++k;
        return k - pos;
    }
};

bool readOperator(Cursor& c, TokenList& out) {
    static const struct { const char* text; Kind kind; } ops[] = {
        {"(", Kind::LParen}, {")", Kind::RParen}, {"*", Kind::Mul},   {"/", Kind::Div},
        {"+", Kind::Plus},   {"-", Kind::Minus},  {":", Kind::Colon}, {",", Kind::Comma},
        {">=", Kind::Ge},    {"<=", Kind::Le},    {"<>", Kind::Ne},   {">", Kind::Gt},
        {"<", Kind::Lt},     {"=", Kind::Eq},
    };
    for (const auto& op : ops) {
        if (c.startsWith(op.text)) {
            out.push_back(CParamVar::op(op.kind));
            c.pos += std::strlen(op.text);
            return true;
        }
    }
    if (c.startsWith("OR(")) {
        out.push_back(CParamVar::op(Kind::Or));
        c.pos += 2;
        return true;
    }
    if (c.startsWith("AND(")) {
        out.push_back(CParamVar::op(Kind::And));
        c.pos += 3;
        return true;
    }
    return false;
}

void readStringLiteral(Cursor& c, TokenList& out) {
    ++c.pos; // the opening quote
    size_t close = c.text.find('\'', c.pos);
    if (close == std::string::npos) {
        out.push_back(CParamVar::text("")); // the rest is read as code
        return;
    }
    std::string lit = c.text.substr(c.pos, close - c.pos);
    for (char& ch : lit)
        if (ch == '`') ch = '\'';
    out.push_back(CParamVar::text(std::move(lit)));
    c.pos = close + 1;
}

// NAME[index]: the element of the array at index `arr` of the frame.
bool readElement(CCompil& st, Cursor& c, int frameIndex, TokenList& out) {
    const CLocalPar& frame = st.frames[frameIndex];
    int found = -1;
    for (size_t a = 0; a < frame.arrays.size(); ++a) {
        const std::string& name = frame.arrays[a].name;
        if (c.startsWith(name) && c.at(name.size()) == '[') {
            found = static_cast<int>(a);
            break;
        }
    }
    if (found < 0) return false;
    std::string arrayName = frame.arrays[found].name;
    size_t open = c.text.find('[', c.pos);
    size_t close = c.text.find(']', c.pos);
    if (close == std::string::npos || close < open)
        throw EvalError(ru("нет закрывающей ']' у элемента массива ") + arrayName);
    std::string indexText = c.text.substr(open + 1, close - open - 1);
    std::int32_t index = toInt(evaluateExpression(st, indexText).value, st.decimalSeparator);
    // The index expression may have run functions: look the array up again by position.
    const CLocalPar& again = st.frames.at(frameIndex);
    if (found >= static_cast<int>(again.arrays.size()) || again.arrays[found].name != arrayName)
        throw EvalError(ru("массив ") + arrayName + ru(" изменился при вычислении индекса"));
    const auto& elements = again.arrays[found].elements;
    if (index < 0 || index >= static_cast<std::int32_t>(elements.size()))
        throw EvalError(ru("индекс ") + std::to_string(index) + ru(" вне массива ") + arrayName +
                        ru(" из ") + std::to_string(elements.size()) + ru(" элементов"));
    out.push_back(elements[index]);
    c.pos = close + 1;
    c.skipSpaces();
    return true;
}

bool readScalar(CCompil& st, Cursor& c, int frameIndex, size_t idLen, TokenList& out) {
    if (idLen == 0) return false;
    const CNameVar* v = findScalar(st.frames[frameIndex], c.text.substr(c.pos, idLen));
    if (!v) return false;
    out.push_back({v->type, v->value});
    c.pos += idLen;
    c.skipSpaces();
    return true;
}

bool readUserFunction(CCompil& st, Cursor& c, size_t idLen, TokenList& out) {
    for (const CProcedure& p : st.procedures) {
        if (p.kind != "FUNCTION") continue;
        bool withParen = c.startsWith(p.name) && c.at(p.name.size()) == '(';
        bool bare = idLen == p.name.size() && c.startsWith(p.name);
        if (withParen || bare) {
            out.push_back({Kind::Func, Variant::ofText(p.name)});
            c.pos += p.name.size();
            return true;
        }
    }
    return false;
}

bool readBuiltinName(Cursor& c, size_t idLen, TokenList& out) {
    for (const char* name : kBuiltinNames) {
        if (c.startsWith(name)) {
            size_t len = std::strlen(name) - 1;
            out.push_back({Kind::Func, Variant::ofText(std::string(name, len))});
            c.pos += len;
            return true;
        }
    }
    if (c.startsWith("KSGETREF") && idLen + 1 > 8) {
        // Written without parentheses: an empty argument group is put after it.
        out.push_back({Kind::Func, Variant::ofText("KSGETREF")});
        out.push_back(CParamVar::op(Kind::LParen));
        out.push_back(CParamVar::op(Kind::RParen));
        c.pos += 8;
        return true;
    }
    if (c.startsWith("PI") && idLen == 2) {
        out.push_back(CParamVar::number(3.141592653589793));
        c.pos += 2;
        return true;
    }
    return false;
}

bool readArrayName(CCompil& st, Cursor& c, size_t idLen, TokenList& out) {
    if (idLen == 0) return false;
    std::string id = c.text.substr(c.pos, idLen);
    if (firstArray(innermostFrame(st), id) < 0 && firstArray(globalFrame(st), id) < 0) return false;
    out.push_back({Kind::Array, Variant::ofText(id)});
    c.pos += idLen;
    return true;
}

void readNumberLiteral(Cursor& c, TokenList& out) {
    size_t start = c.pos;
    bool point = false;
    while (c.pos < c.text.size() &&
           ((c.text[c.pos] >= '0' && c.text[c.pos] <= '9') || c.text[c.pos] == '.')) {
        point |= c.text[c.pos] == '.';
        ++c.pos;
    }
    std::string run = c.text.substr(start, c.pos - start);
    if (run.empty()) {
        size_t idLen = c.identifierLength();
        std::string what = idLen ? c.text.substr(start, idLen) : c.text.substr(start, 1);
        throw EvalError(ru("неизвестное имя ") + what);
    }
    c.skipSpaces();
    if (point) {
        double d;
        if (!readNumber(run, '.', d)) throw EvalError(ru("неверное число ") + run);
        out.push_back(CParamVar::number(d));
    } else {
        int i;
        if (!readInt32(run, i)) throw EvalError(ru("целое число вне диапазона: ") + run);
        out.push_back(CParamVar::number(static_cast<std::int32_t>(i)));
    }
}

} // namespace

TokenList tokenize(CCompil& st, const std::string& text) {
    if (st.frames.empty()) throw ScriptError(ru("нет области видимости"));
    TokenList out;
    Cursor c{text};
    while (c.pos < text.size()) {
        const int inner = static_cast<int>(st.frames.size()) - 1;
        if (text[c.pos] == ' ') {
            ++c.pos;
            continue;
        }
        if (readOperator(c, out)) continue;
        if (text[c.pos] == '\'') {
            readStringLiteral(c, out);
            continue;
        }
        size_t idLen = c.identifierLength();
        const bool local = inner > 0;
        if (local && readElement(st, c, inner, out)) continue;
        if (local && readScalar(st, c, inner, idLen, out)) continue;
        if (readElement(st, c, 0, out)) continue;
        if (readScalar(st, c, 0, idLen, out)) continue;
        if (readUserFunction(st, c, idLen, out)) continue;
        if (readBuiltinName(c, idLen, out)) continue;
        if (readArrayName(st, c, idLen, out)) continue;
        readNumberLiteral(c, out);
    }
    return out;
}

} // namespace qm
