// Values of the language: the variant scalar and the typed value `CParamVar`, also the token.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm {

// Kind tags. The language compares them as Russian words ("число", "строка", "массив", "f",
// operator texts, "ошибка", empty); one enumerator per tag keeps those comparisons exact.
enum class Kind : std::uint8_t {
    Empty,
    Number, // "число"
    String, // "строка"
    Array,  // "массив": a bare array name
    Func,   // "f": a function name
    LParen,
    RParen,
    Mul,
    Div,
    Plus,
    Minus,
    Colon,
    Comma,
    Ge,
    Le,
    Ne,
    Gt,
    Lt,
    Eq, // ">=" "<=" "<>" ">" "<" "="
    Or,
    And,
    Error, // "ошибка": a failed POW
};

// The tag's text as the language writes it (Windows-1251).
const std::string& kindName(Kind k);
bool isComparison(Kind k);

// A dynamically typed scalar: empty, 32-bit integer, double or text (Windows-1251).
struct Variant {
    enum class Type : std::uint8_t { Empty, Int, Double, Text };
    Type type = Type::Empty;
    std::int32_t i = 0;
    double d = 0;
    std::string s;

    static Variant ofInt(std::int32_t v) {
        Variant r;
        r.type = Type::Int;
        r.i = v;
        return r;
    }
    static Variant ofDouble(double v) {
        Variant r;
        r.type = Type::Double;
        r.d = v;
        return r;
    }
    static Variant ofText(std::string v) {
        Variant r;
        r.type = Type::Text;
        r.s = std::move(v);
        return r;
    }

    bool isEmpty() const { return type == Type::Empty; }
    bool isNumeric() const { return type == Type::Int || type == Type::Double; }
};

struct CParamVar {
    Kind type = Kind::Empty;
    Variant value;

    static CParamVar number(std::int32_t v) { return {Kind::Number, Variant::ofInt(v)}; }
    static CParamVar number(double v) { return {Kind::Number, Variant::ofDouble(v)}; }
    static CParamVar text(std::string v) { return {Kind::String, Variant::ofText(std::move(v))}; }
    static CParamVar op(Kind k) { return {k, Variant{}}; }
};

using TokenList = std::vector<CParamVar>;

} // namespace qm
