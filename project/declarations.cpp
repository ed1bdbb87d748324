#include "project/declarations.h"

#include "text/cp1251.h"
#include "text/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace qm {

const std::string& declarationMarker() {
    static const std::string s =
        ru(u8"////----------- код выше создан программой, не изменять------------");
    return s;
}

namespace {

// The language's number literal: digits and points, a double when it holds a point, otherwise
// a 32-bit integer; a sign is an operator of its own.
bool readsBackAs(const std::string& text, double value) {
    std::string digits = text;
    bool negative = !digits.empty() && digits[0] == '-';
    if (negative) digits.erase(0, 1);
    if (digits.empty() || digits.find_first_not_of("0123456789.") != std::string::npos)
        return false;
    double read;
    if (digits.find('.') != std::string::npos) {
        if (!readNumber(digits, '.', read)) return false;
    } else {
        int i;
        if (!readInt32(digits, i)) return false;
        read = i;
    }
    return (negative ? -read : read) == value;
}

// Fixed notation of a scientific text d.ddde±X: no exponent, always a decimal point.
std::string fixedFromScientific(const std::string& sci) {
    size_t epos = sci.find('e');
    std::string digits = sci.substr(0, 1) + (epos > 2 ? sci.substr(2, epos - 2) : "");
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    int point = std::atoi(sci.c_str() + epos + 1) + 1; // digits before the point
    const int n = static_cast<int>(digits.size());
    if (point <= 0) return "0." + std::string(static_cast<size_t>(-point), '0') + digits;
    if (point >= n) return digits + std::string(static_cast<size_t>(point - n), '0') + ".0";
    return digits.substr(0, point) + "." + digits.substr(point);
}

std::string fixedNotation(double magnitude, int precision) {
    char buf[64];
    auto res = precision < 0
                   ? std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific)
                   : std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                                   precision);
    return fixedFromScientific(std::string(buf, res.ptr));
}

void addLine(StringList& out, const std::string& line) {
    out.push_back(line);
}

void addNumber(StringList& out, const CParDecimal& p) {
    addLine(out, p.name + "=" + declarationNumber(p.value) + "; //" + p.note);
}

void addString(StringList& out, const CParStr& p) {
    addLine(out, p.name + "='" + quotedText(p.value) + "'; //" + p.note);
}

void addRoughness(StringList& out, const CParSh& p) {
    addLine(out, "array " + p.name + "; //" + p.note);
    addLine(out, p.name + "[0]='" + quotedText(p.letters) + "';");
    addLine(out, p.name + "[1]=" + declarationNumber(p.value) + ";");
}

void addDimension(StringList& out, const CParRazmer& p) {
    addLine(out, "array " + p.name + "; //" + p.note);
    addLine(out, p.name + "[0]=" + declarationNumber(p.nominal) + ";");
    addLine(out, p.name + "[1]='" + quotedText(p.field) + "';");
    addLine(out, p.name + "[2]=" + declarationNumber(p.grade) + ";");
    addLine(out, p.name + "[3]=" + declarationNumber(p.upper) + ";");
    addLine(out, p.name + "[4]=" + declarationNumber(p.lower) + ";");
}

} // namespace

std::string declarationNumber(double value) {
    std::string general = formatGeneral(value);
    if (!std::isfinite(value) || readsBackAs(general, value)) return general;
    std::string sign = value < 0 ? "-" : "";
    // The general format's 15 digits where they suffice, the shortest exact digits otherwise.
    std::string fixed = sign + fixedNotation(std::fabs(value), 14);
    if (readsBackAs(fixed, value)) return fixed;
    return sign + fixedNotation(std::fabs(value), -1);
}

std::string quotedText(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c == '\'') c = '`';
    return out;
}

void generateDeclarations(CUnitProject& unit) {
    StringList& out = unit.declarations;
    out.clear();
    const CDataProject& d = unit.data;
    for (const CDataPar& e : d.order) {
        size_t i = static_cast<size_t>(e.index);
        switch (e.kind) {
        case KindDecimal:
            addNumber(out, d.nums.at(i));
            break;
        case KindStr:
            addString(out, d.strs.at(i));
            break;
        case KindSh:
            addRoughness(out, d.roughs.at(i));
            break;
        case KindRazmer:
            addDimension(out, d.dims.at(i));
            break;
        }
    }
    out.push_back(declarationMarker());
    out.push_back("");
    out.push_back("implementation");
}

} // namespace qm
