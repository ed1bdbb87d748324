#include "project/notation.h"

#include "text/cp1251.h"
#include "text/numbers.h"

#include <climits>

namespace qm {

double parseNumber(const std::string& text) {
    std::string s = text;
    size_t comma = s.find(',');
    if (comma != std::string::npos) s[comma] = '.';
    double value;
    if (!readNumber(s, '.', value))
        throw ConversionError("'" + s + ru(u8"' не является правильным числом"));
    return value;
}

std::int32_t parseInteger(const std::string& text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long v = 0;
    bool ok = i < text.size();
    for (; ok && i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            ok = false;
        else
            v = v * 10 + (text[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) ok = false;
    }
    if (negative) v = -v;
    if (!ok || v > INT_MAX || v < INT_MIN)
        throw ConversionError("'" + text + ru(u8"' не является правильным целым числом"));
    return static_cast<std::int32_t>(v);
}

namespace {

void nominalOnly(CParRazmer& dim) {
    dim.upper = dim.lower = 0;
    dim.field = "0";
    dim.grade = 0;
    dim.mode = -1;
}

// "(" already removed: upper/lower, or a single deviation whose sign says which one it is.
void parseDeviations(CParRazmer& dim, std::string rest) {
    dim.field = "0";
    dim.grade = 0;
    dim.mode = 0;
    size_t slash = rest.find('/');
    if (slash != std::string::npos) {
        dim.upper = parseNumber(rest.substr(0, slash));
        rest.erase(0, slash + 1);
        size_t close = rest.find(')');
        if (close != std::string::npos) rest.erase(close, 1);
        dim.lower = parseNumber(rest);
        return;
    }
    size_t close = rest.find(')');
    if (close != std::string::npos) rest.erase(close, 1);
    dim.upper = 0;
    dim.lower = parseNumber(rest);
    if (dim.lower > 0) {
        dim.upper = dim.lower;
        dim.lower = 0;
    }
}

// A field of one letter (two for Js/js) and a grade; a deviation part after them is ignored.
void parseFieldAndGrade(CParRazmer& dim, std::string rest) {
    size_t open = rest.find('(');
    if (open != std::string::npos) rest.erase(open);
    size_t fieldLength = rest.compare(0, 2, "Js") == 0 || rest.compare(0, 2, "js") == 0 ? 2 : 1;
    dim.field = rest.substr(0, fieldLength);
    rest.erase(0, fieldLength);
    if (rest.empty()) {
        nominalOnly(dim);
        return;
    }
    dim.grade = parseInteger(rest);
    dim.mode = 1;
    dim.upper = dim.lower = 0;
}

} // namespace

void parseDimension(CParRazmer& dim, const std::string& text) {
    std::string s;
    for (char c : text)
        if (c != ' ') s += c;
    if (s.empty()) {
        dim.nominal = 0;
        nominalOnly(dim);
        return;
    }
    size_t run = 0;
    while (run < s.size() && ((s[run] >= '0' && s[run] <= '9') || s[run] == '.' || s[run] == ','))
        ++run;
    dim.nominal = parseNumber(s.substr(0, run));
    std::string rest = s.substr(run);
    if (rest.empty()) {
        nominalOnly(dim);
    } else if (rest[0] == '(') {
        parseDeviations(dim, rest.substr(1));
    } else {
        parseFieldAndGrade(dim, rest);
    }
}

} // namespace qm
