// The built-in function library: dispatch, the mathematical functions, POW, NUMTOSTR, STR, SIZE
// and SUBSTR. LIMITKVALITET, DIMTOSTR, SQLREZULT and KSGETREF come from their subsystems.
#include "interp/arith.h"
#include "interp/convert.h"
#include "interp/errors.h"
#include "interp/eval.h"
#include "interp/procedures.h"
#include "interp/scopes.h"
#include "text/cp1251.h"
#include "text/numbers.h"

#include <cmath>

namespace qm {
namespace {

constexpr double kPi = 3.141592653589793;

// The runs between top-level commas, split at the first `count` commas (later commas stay in the
// last piece). Throws when the list has fewer commas.
std::vector<TokenList> splitAtCommas(const TokenList& args, size_t count, const char* fn) {
    std::vector<TokenList> pieces(1);
    for (const auto& t : args) {
        if (t.type == Kind::Comma && pieces.size() <= count)
            pieces.emplace_back();
        else
            pieces.back().push_back(t);
    }
    if (pieces.size() != count + 1)
        throw EvalError(ru("функции ") + fn + ru(" не хватает аргументов"));
    return pieces;
}

double domainChecked(double x, const char* fn) {
    if (std::isnan(x) || std::isinf(x))
        throw EvalError(ru("функция ") + fn + ru(": результат вне действительных чисел"));
    return x;
}

using MathFn = double (*)(double);

// The functions of one argument, or null when the name is not one of them.
MathFn mathFunction(const std::string& name) {
    static const struct {
        const char* name;
        MathFn fn;
    } table[] = {
        {"SIN", [](double v) { return std::sin(v); }},
        {"COS", [](double v) { return std::cos(v); }},
        {"TAN", [](double v) { return std::tan(v); }},
        {"ASIN", [](double v) { return std::asin(v); }},
        {"ACOS", [](double v) { return std::acos(v); }},
        {"ATAN", [](double v) { return std::atan(v); }},
        {"SINA", [](double v) { return std::sin(v * kPi / 180); }},
        {"COSA", [](double v) { return std::cos(v * kPi / 180); }},
        {"TANA", [](double v) { return std::tan(v * kPi / 180); }},
        {"ASINA", [](double v) { return std::asin(v) * 180 / kPi; }},
        {"ACOSA", [](double v) { return std::acos(v) * 180 / kPi; }},
        {"A_TANA", [](double v) { return std::atan(v) * 180 / kPi; }},
        {"EXP", [](double v) { return std::exp(v); }},
        {"LOG", [](double v) { return v > 0 ? std::log(v) : NAN; }},
        {"LOG10", [](double v) { return v > 0 ? std::log10(v) : NAN; }},
        {"SQRT", [](double v) { return std::sqrt(v); }},
        {"ABS", [](double v) { return std::fabs(v); }},
    };
    for (const auto& f : table)
        if (name == f.name) return f.fn;
    return nullptr;
}

// An integral double as an integer when it fits 32 bits, else as the exact double.
Variant integral(double v) {
    if (v >= -2147483648.0 && v <= 2147483647.0)
        return Variant::ofInt(static_cast<std::int32_t>(v));
    return Variant::ofDouble(v);
}

CParamVar roundingFunction(CCompil& st, const std::string& name, const TokenList& args) {
    CParamVar x = evaluateFlat(st, args);
    double v = toDouble(x.value, st.decimalSeparator);
    double r;
    if (name == "INT")
        r = (v == 0.5 || v == -0.5) ? v * 2 : roundHalfEven(v);
    else
        r = std::floor(v);
    return {x.type, integral(domainChecked(r, name.c_str()))};
}

CParamVar errorValue() {
    return {Kind::Error, Variant::ofText(ru("не верные параметры функции  Pow"))};
}

CParamVar powFunction(CCompil& st, const TokenList& args) {
    if (args.empty() || args.front().type == Kind::Comma || args.size() < 3) return errorValue();
    try {
        auto pieces = splitAtCommas(args, 1, "POW");
        double b = toDouble(evaluateTokens(st, pieces[1]).value, st.decimalSeparator);
        double a = toDouble(evaluateTokens(st, pieces[0]).value, st.decimalSeparator);
        double r = std::pow(a, b);
        if (!std::isfinite(r)) return errorValue();
        return CParamVar::number(r);
    } catch (const ScriptError&) {
        return errorValue();
    }
}

CParamVar numToStr(CCompil& st, const TokenList& args) {
    std::string text = toText(evaluateFlat(st, args).value, st.decimalSeparator);
    double v;
    if (!readNumber(text, '.', v))
        throw EvalError(ru("NUMTOSTR: текст '") + text + ru("' не является числом"));
    return CParamVar::number(v);
}

CParamVar strFunction(CCompil& st, const TokenList& args) {
    TokenList parts[3];
    int part = 0;
    for (const auto& t : args) {
        if (t.type == Kind::Colon && part < 2) {
            if (part == 1) parts[1].push_back(t); // the width part runs up to and including it
            ++part;
            continue;
        }
        parts[part].push_back(t);
    }
    const char sep = st.decimalSeparator;
    int w = parts[1].empty() ? 0 : toInt(evaluateTokens(st, parts[1]).value, sep);
    int d = parts[2].empty() ? 0 : toInt(evaluateTokens(st, parts[2]).value, sep);
    std::string t = formatGeneral(toDouble(evaluateTokens(st, parts[0]).value, sep));
    size_t point = t.find('.');
    if (d != 0 && point != std::string::npos &&
        t.size() - point - 1 > static_cast<size_t>(std::max(d, 0))) {
        long keep = static_cast<long>(point) + 1 + d; // characters kept, as a copy from the start
        t.resize(static_cast<size_t>(std::max(keep, 0L)));
    }
    if (w > 0 && t.size() < static_cast<size_t>(w))
        t.insert(0, static_cast<size_t>(w) - t.size(), ' ');
    return CParamVar::text(t);
}

CParamVar sizeFunction(CCompil& st, const TokenList& args) {
    if (args.size() == 1 && args[0].type == Kind::Array) {
        const std::string& name = args[0].value.s;
        size_t n = arrayElements(innermostFrame(st), name).size();
        if (n == 0) n = arrayElements(globalFrame(st), name).size();
        return CParamVar::number(static_cast<std::int32_t>(n));
    }
    std::string text = toText(evaluateTokens(st, args).value, st.decimalSeparator);
    return CParamVar::number(static_cast<std::int32_t>(text.size()));
}

CParamVar substrFunction(CCompil& st, const TokenList& args) {
    auto pieces = splitAtCommas(args, 2, "SUBSTR");
    const char sep = st.decimalSeparator;
    std::string s = toText(evaluateTokens(st, pieces[0]).value, sep);
    std::int32_t count = toInt(evaluateTokens(st, pieces[2]).value, sep);
    std::int32_t start = toInt(evaluateTokens(st, pieces[1]).value, sep);
    if (start < 1 || start > static_cast<std::int32_t>(s.size()) || count < 0)
        return CParamVar::text("");
    return CParamVar::text(s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count)));
}

} // namespace

CParamVar callFunction(CCompil& st, const std::string& name, const TokenList& args) {
    if (name.empty()) return evaluateFlat(st, args);
    for (size_t p = 0; p < st.procedures.size(); ++p) {
        if (st.procedures[p].name == name) {
            callProcedure(st, p, args);
            return st.result;
        }
    }
    if (name == "INT" || name == "FLOOR") return roundingFunction(st, name, args);
    if (name == "POW") return powFunction(st, args);
    if (name == "NUMTOSTR") return numToStr(st, args);
    if (name == "STR") return strFunction(st, args);
    if (name == "SIZE") return sizeFunction(st, args);
    if (name == "SUBSTR") return substrFunction(st, args);
    if (name == "SQLSETDB") return {};
    if (const auto* fn = st.function(name)) return (*fn)(st, args);
    if (MathFn fn = mathFunction(name)) {
        CParamVar x = evaluateFlat(st, args);
        double r = domainChecked(fn(toDouble(x.value, st.decimalSeparator)), name.c_str());
        return {x.type, Variant::ofDouble(r)};
    }
    return {};
}

} // namespace qm
