// Tokenizing: an expression text becomes typed tokens; variables and array elements are read now.
// What the text alone determines comes from the expression's plan; what a name means (element,
// variable, function, array, number) is decided here, in the language's order, every time.
#include "interp/eval.h"

#include "interp/convert.h"
#include "interp/errors.h"
#include "interp/scopes.h"
#include "text/cp1251.h"

#include <cstring>

namespace qm {
namespace {

// NAME[index] of the first array of the frame whose name, followed by "[", starts the text here.
bool readElement(CCompil& st, ExprPlan& plan, Lexeme& lx, size_t& pos, int frameIndex,
                 TokenList& out) {
    const CLocalPar& frame = st.frames[frameIndex];
    const std::string& text = plan.text;
    if (!frame.mayHaveArrayStartingWith(text[pos])) return false;
    int found = -1;
    for (size_t a = 0; a < frame.arrays.size(); ++a) {
        const std::string& name = frame.arrays[a].name;
        if (pos + name.size() < text.size() && text[pos + name.size()] == '[' &&
            text.compare(pos, name.size(), name) == 0) {
            found = static_cast<int>(a);
            break;
        }
    }
    if (found < 0) return false;
    std::string arrayName = frame.arrays[found].name;
    if (!lx.hasIndex) throw EvalError(ru("нет закрывающей ']' у элемента массива ") + arrayName);
    if (!lx.indexPlan) lx.indexPlan = st.plans.get(lx.indexText);
    std::int32_t index =
        toInt(evaluateTokens(st, tokenize(st, *lx.indexPlan)).value, st.decimalSeparator);
    // The index expression may have run functions: look the array up again by position.
    const CLocalPar& again = st.frames.at(frameIndex);
    if (found >= static_cast<int>(again.arrays.size()) || again.arrays[found].name != arrayName)
        throw EvalError(ru("массив ") + arrayName + ru(" изменился при вычислении индекса"));
    const auto& elements = again.arrays[found].elements;
    if (index < 0 || index >= static_cast<std::int32_t>(elements.size()))
        throw EvalError(ru("индекс ") + std::to_string(index) + ru(" вне массива ") + arrayName +
                        ru(" из ") + std::to_string(elements.size()) + ru(" элементов"));
    out.push_back(elements[index]);
    pos = lx.indexEnd;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    return true;
}

bool readScalar(CCompil& st, const std::string& text, Lexeme& lx, size_t& pos, int frameIndex,
                TokenList& out) {
    const CNameVar* v = nullptr;
    CLocalPar& frame = st.frames[frameIndex];
    if (frameIndex == 0 && lx.globalRun == st.runId && st.runId != 0) {
        v = &frame.vars[lx.globalVar];
    } else {
        if (lx.id.empty() || !frame.mayHaveVarStartingWith(lx.id[0])) return false;
        v = findScalar(frame, lx.id);
        if (!v) return false;
        if (frameIndex == 0) {
            lx.globalRun = st.runId;
            lx.globalVar = static_cast<int>(v - frame.vars.data());
        }
    }
    out.push_back({v->type, v->value});
    pos += lx.id.size();
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    return true;
}

bool readUserFunction(CCompil& st, const std::string& text, const Lexeme& lx, size_t& pos,
                      TokenList& out) {
    for (const CProcedure& p : st.procedures) {
        if (p.kind != "FUNCTION") continue;
        const size_t n = p.name.size();
        bool withParen =
            pos + n < text.size() && text[pos + n] == '(' && text.compare(pos, n, p.name) == 0;
        bool bare = lx.id == p.name;
        if (withParen || bare) {
            out.push_back({Kind::Func, Variant::ofText(p.name)});
            pos += n;
            return true;
        }
    }
    return false;
}

bool readFixedName(const Lexeme& lx, size_t& pos, TokenList& out) {
    if (lx.builtin >= 0) {
        size_t len = std::strlen(kBuiltinNames[lx.builtin]) - 1;
        out.push_back({Kind::Func, Variant::ofText(std::string(kBuiltinNames[lx.builtin], len))});
        pos += len;
        return true;
    }
    if (lx.ksgetref) {
        // Written without parentheses: an empty argument group is put after it.
        out.push_back({Kind::Func, Variant::ofText("KSGETREF")});
        out.push_back(CParamVar::op(Kind::LParen));
        out.push_back(CParamVar::op(Kind::RParen));
        pos += 8;
        return true;
    }
    if (lx.pi) {
        out.push_back(CParamVar::number(3.141592653589793));
        pos += 2;
        return true;
    }
    return false;
}

bool readArrayName(CCompil& st, const Lexeme& lx, size_t& pos, TokenList& out) {
    if (lx.id.empty()) return false;
    auto has = [&](const CLocalPar& f) {
        return f.mayHaveArrayStartingWith(lx.id[0]) && firstArray(f, lx.id) >= 0;
    };
    if (!has(innermostFrame(st)) && !has(globalFrame(st))) return false;
    out.push_back({Kind::Array, Variant::ofText(lx.id)});
    pos += lx.id.size();
    return true;
}

// One name at pos; returns the position after it.
size_t readName(CCompil& st, ExprPlan& plan, Lexeme& lx, size_t pos, TokenList& out) {
    const int inner = static_cast<int>(st.frames.size()) - 1;
    const bool local = inner > 0;
    if (local && readElement(st, plan, lx, pos, inner, out)) return pos;
    if (local && readScalar(st, plan.text, lx, pos, inner, out)) return pos;
    if (readElement(st, plan, lx, pos, 0, out)) return pos;
    if (readScalar(st, plan.text, lx, pos, 0, out)) return pos;
    if (readUserFunction(st, plan.text, lx, pos, out)) return pos;
    if (readFixedName(lx, pos, out)) return pos;
    if (readArrayName(st, lx, pos, out)) return pos;
    if (!lx.numberOk) throw EvalError(lx.numberError);
    out.push_back(lx.number);
    return lx.numberNext;
}

} // namespace

TokenList tokenize(CCompil& st, ExprPlan& plan) {
    if (st.frames.empty()) throw ScriptError(ru("нет области видимости"));
    TokenList out;
    out.reserve(8);
    size_t pos = 0;
    while (pos < plan.text.size()) {
        Lexeme& lx = plan.at(pos);
        switch (lx.type) {
        case Lexeme::Type::Space:
            pos = lx.next;
            break;
        case Lexeme::Type::Operator:
        case Lexeme::Type::String:
            out.push_back(lx.token);
            pos = lx.next;
            break;
        case Lexeme::Type::Name:
            pos = readName(st, plan, lx, pos, out);
            break;
        }
    }
    return out;
}

TokenList tokenize(CCompil& st, const std::string& text) {
    return tokenize(st, *st.plans.get(text));
}

} // namespace qm
