#include "fits/script_functions.h"

#include "fits/grades.h"
#include "interp/convert.h"
#include "interp/errors.h"
#include "interp/eval.h"
#include "text/cp1251.h"

namespace qm {

namespace {

// The pieces of an argument list cut at its first `cuts` commas (inner groups are values by now,
// so every comma is at the top level; later commas stay in the last piece). A list with fewer
// commas is an error rather than a read past its end.
std::vector<TokenList> splitAtCommas(const TokenList& args, size_t cuts, const char* function) {
    std::vector<TokenList> pieces(1);
    for (const CParamVar& token : args) {
        if (token.type == Kind::Comma && pieces.size() <= cuts)
            pieces.emplace_back();
        else
            pieces.back().push_back(token);
    }
    if (pieces.size() != cuts + 1)
        throw EvalError(ru(u8"функции ") + function + ru(u8" не хватает аргументов"));
    return pieces;
}

// LIMITKVALITET(nominal, tolerance): the tolerance is evaluated first, then the nominal.
CParamVar limitKvalitet(CCompil& st, CDopuski& dopuski, const TokenList& args) {
    std::vector<TokenList> p = splitAtCommas(args, 1, "LIMITKVALITET");
    const double tolerance = toDouble(evaluateTokens(st, p[1]).value, st.decimalSeparator);
    const double nominal = toDouble(evaluateTokens(st, p[0]).value, st.decimalSeparator);
    dopuski.gradeForTolerance(nominal, tolerance);
    return CParamVar::number(static_cast<double>(dopuski.gradeCode));
}

// DIMTOSTR(nominal, field, grade): evaluated grade, field, nominal.
CParamVar dimToStr(CCompil& st, CDopuski& dopuski, const TokenList& args) {
    std::vector<TokenList> p = splitAtCommas(args, 2, "DIMTOSTR");
    const std::int32_t grade = toInt(evaluateTokens(st, p[2]).value, st.decimalSeparator);
    const std::string field = toText(evaluateTokens(st, p[1]).value, st.decimalSeparator);
    const double nominal = toDouble(evaluateTokens(st, p[0]).value, st.decimalSeparator);
    try {
        dopuski.designationFor(nominal, field, grade,
                               [&st](const std::string& text) { st.host().showMessage(text); });
    } catch (const FitsError& e) { // a grade code outside -1..17
        throw EvalError(e.what());
    }
    return CParamVar::text(dopuski.designation);
}

} // namespace

void installFitsFunctions(CCompil& st, CDopuski& dopuski) {
    st.setFunction("LIMITKVALITET", [&dopuski](CCompil& s, const TokenList& args) {
        return limitKvalitet(s, dopuski, args);
    });
    st.setFunction("DIMTOSTR", [&dopuski](CCompil& s, const TokenList& args) {
        return dimToStr(s, dopuski, args);
    });
}

} // namespace qm
