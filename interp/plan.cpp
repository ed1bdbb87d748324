#include "interp/plan.h"

#include "interp/errors.h"
#include "text/cp1251.h"
#include "text/numbers.h"

#include <cstring>

namespace qm {

const char* const kBuiltinNames[] = {
    "SIN(",      "COS(",      "TAN(",      "POW(",   "SQRT(",   "ASIN(",   "ACOS(",
    "ATAN(",     "SINA(",     "COSA(",     "TANA(",  "STR(",    "INT(",    "ABS(",
    "LOG(",      "EXP(",      "FLOOR(",    "LOG10(", "ASINA(",  "ACOSA(",  "LIMITKVALITET(",
    "DIMTOSTR(", "NUMTOSTR(", "SQLSETDB(", "SIZE(",  "SUBSTR(", "A_TANA(", "SQLREZULT(",
};
const int kBuiltinCount = sizeof kBuiltinNames / sizeof kBuiltinNames[0];

namespace {

bool isDelimiter(char c) {
    return c != '\0' && std::strchr(" +-*/():,<>=", c) != nullptr;
}

bool startsWith(const std::string& text, size_t pos, const char* s) {
    return text.compare(pos, std::strlen(s), s) == 0;
}

bool readOperator(const std::string& text, size_t pos, Lexeme& lx) {
    static const struct {
        const char* text;
        Kind kind;
        size_t consumed;
    } ops[] = {
        {"(", Kind::LParen, 1}, {")", Kind::RParen, 1}, {"*", Kind::Mul, 1},
        {"/", Kind::Div, 1},    {"+", Kind::Plus, 1},   {"-", Kind::Minus, 1},
        {":", Kind::Colon, 1},  {",", Kind::Comma, 1},  {">=", Kind::Ge, 2},
        {"<=", Kind::Le, 2},    {"<>", Kind::Ne, 2},    {">", Kind::Gt, 1},
        {"<", Kind::Lt, 1},     {"=", Kind::Eq, 1},     {"OR(", Kind::Or, 2},
        {"AND(", Kind::And, 3},
    };
    for (const auto& op : ops) {
        if (startsWith(text, pos, op.text)) {
            lx.type = Lexeme::Type::Operator;
            lx.token = CParamVar::op(op.kind);
            lx.next = pos + op.consumed;
            return true;
        }
    }
    return false;
}

// A literal without a closing quote is an empty text, and what follows is read as code.
void readStringLiteral(const std::string& text, size_t pos, Lexeme& lx) {
    lx.type = Lexeme::Type::String;
    size_t close = text.find('\'', pos + 1);
    if (close == std::string::npos) {
        lx.token = CParamVar::text("");
        lx.next = pos + 1;
        return;
    }
    std::string lit = text.substr(pos + 1, close - pos - 1);
    for (char& ch : lit)
        if (ch == '`') ch = '\'';
    lx.token = CParamVar::text(std::move(lit));
    lx.next = close + 1;
}

size_t skipSpaces(const std::string& text, size_t pos) {
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    return pos;
}

void readNumberLiteral(const std::string& text, size_t pos, Lexeme& lx) {
    size_t k = pos;
    bool point = false;
    while (k < text.size() && ((text[k] >= '0' && text[k] <= '9') || text[k] == '.'))
        point |= text[k++] == '.';
    std::string run = text.substr(pos, k - pos);
    lx.numberNext = skipSpaces(text, k);
    if (run.empty()) {
        lx.numberError = ru("неизвестное имя ") + (lx.id.empty() ? text.substr(pos, 1) : lx.id);
        return;
    }
    if (point) {
        double d;
        if (!readNumber(run, '.', d)) {
            lx.numberError = ru("неверное число ") + run;
            return;
        }
        lx.number = CParamVar::number(d);
    } else {
        int i;
        if (!readInt32(run, i)) {
            lx.numberError = ru("целое число вне диапазона: ") + run;
            return;
        }
        lx.number = CParamVar::number(static_cast<std::int32_t>(i));
    }
    lx.numberOk = true;
}

void readName(const std::string& text, size_t pos, Lexeme& lx) {
    lx.type = Lexeme::Type::Name;
    size_t end = pos;
    while (end < text.size() && !isDelimiter(text[end]))
        ++end;
    lx.id = text.substr(pos, end - pos);
    for (int b = 0; b < kBuiltinCount && lx.builtin < 0; ++b)
        if (startsWith(text, pos, kBuiltinNames[b])) lx.builtin = b;
    lx.ksgetref = startsWith(text, pos, "KSGETREF") && lx.id.size() + 1 > 8;
    lx.pi = startsWith(text, pos, "PI") && lx.id.size() == 2;
    size_t open = text.find('[', pos), close = text.find(']', pos);
    if (open != std::string::npos && close != std::string::npos && close > open) {
        lx.hasIndex = true;
        lx.indexText = text.substr(open + 1, close - open - 1);
        lx.indexEnd = close + 1;
    }
    readNumberLiteral(text, pos, lx);
}

} // namespace

Lexeme& ExprPlan::at(size_t pos) {
    int& slot = lexemeAt[pos];
    if (slot >= 0) return lexemes[slot];
    Lexeme lx;
    if (text[pos] == ' ') {
        lx.type = Lexeme::Type::Space;
        lx.next = pos + 1;
    } else if (!readOperator(text, pos, lx)) {
        if (text[pos] == '\'')
            readStringLiteral(text, pos, lx);
        else
            readName(text, pos, lx);
    }
    lexemes.push_back(std::move(lx));
    slot = static_cast<int>(lexemes.size()) - 1;
    return lexemes.back();
}

ExprPlan* PlanCache::get(const std::string& text) {
    auto it = plans_.find(text);
    if (it != plans_.end()) return it->second.get();
    auto plan = std::make_unique<ExprPlan>(text);
    ExprPlan* p = plan.get();
    plans_.emplace(text, std::move(plan));
    return p;
}

} // namespace qm
