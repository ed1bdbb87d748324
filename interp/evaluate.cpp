// Evaluation of token lists: parenthesised groups, flat lists, comparisons and conditions.
#include "interp/eval.h"

#include "interp/arith.h"
#include "interp/convert.h"
#include "interp/errors.h"

namespace qm {

CParamVar evaluateExpression(CCompil& st, const std::string& text) {
    return evaluateTokens(st, tokenize(st, text));
}

CParamVar evaluateExpression(CCompil& st, ExprPlan*& plan, const std::string& text) {
    if (!plan) plan = st.plans.get(text);
    return evaluateTokens(st, tokenize(st, *plan));
}

static int greatestDepth(const TokenList& tokens) {
    int depth = 0, most = 0;
    for (const auto& t : tokens) {
        if (t.type == Kind::LParen)
            most = std::max(most, ++depth);
        else if (t.type == Kind::RParen)
            --depth;
    }
    return most;
}

// One pass: every innermost group (a "(" whose next parenthesis is ")") becomes its value, or
// the result of the function named just before it.
static TokenList reduceInnermostGroups(CCompil& st, TokenList& cur, bool flatList) {
    TokenList next;
    next.reserve(cur.size());
    for (size_t i = 0; i < cur.size(); ++i) {
        CParamVar& t = cur[i];
        if (t.type == Kind::LParen) {
            size_t j = i + 1;
            while (j < cur.size() && cur[j].type != Kind::LParen && cur[j].type != Kind::RParen)
                ++j;
            if (j == cur.size()) continue; // a "(" without partner is dropped
            if (cur[j].type == Kind::LParen) {
                next.push_back(std::move(t));
                continue;
            }
            TokenList group(std::make_move_iterator(cur.begin() + i + 1),
                            std::make_move_iterator(cur.begin() + j));
            if (i > 0 && cur[i - 1].type == Kind::Func) {
                // that name token went into the new list unchanged (and was moved there)
                std::string name = next.back().value.s;
                next.back() = callFunction(st, name, group);
            } else {
                next.push_back(callFunction(st, "", group));
            }
            i = j;
        } else if (t.type == Kind::Func && flatList) {
            next.push_back(callFunction(st, t.value.s, {}));
        } else {
            next.push_back(std::move(t));
        }
    }
    return next;
}

static bool hasFunctionName(const TokenList& tokens) {
    for (const auto& t : tokens)
        if (t.type == Kind::Func) return true;
    return false;
}

CParamVar evaluateTokens(CCompil& st, TokenList tokens) {
    const int depth = greatestDepth(tokens);
    // Without groups or function names a pass would copy the list unchanged.
    if (depth > 0 || hasFunctionName(tokens)) {
        for (int pass = 0; pass <= depth; ++pass) {
            tokens = reduceInnermostGroups(st, tokens, depth == 0);
            if (depth > 0 && greatestDepth(tokens) == 0 && pass < depth) break; // the rest copies
        }
    }
    return evaluateFlat(st, std::move(tokens));
}

static bool isValue(Kind k) {
    return k == Kind::Number || k == Kind::String;
}

CParamVar evaluateFlat(CCompil& st, TokenList tokens) {
    if (tokens.empty()) {
        st.stopped = true;
        return {};
    }
    if (!isValue(tokens.back().type)) tokens.pop_back();
    if (tokens.size() == 1) { // one value: what the general rules below give for it
        CParamVar& t = tokens.front();
        if (t.type == Kind::String && t.value.type == Variant::Type::Text)
            return CParamVar::text(std::move(t.value.s));
        if (t.type == Kind::String) return CParamVar::text(toText(t.value, st.decimalSeparator));
        if (t.value.type == Variant::Type::Int) return {Kind::Number, t.value};
        if (t.value.type == Variant::Type::Double) return CParamVar::number(0.0 + t.value.d);
    }
    bool text = false;
    for (const auto& t : tokens)
        text |= t.type == Kind::String;
    if (text) {
        std::string joined;
        for (auto& t : tokens) {
            if (t.type != Kind::String) continue;
            if (t.value.type != Variant::Type::Text)
                joined += toText(t.value, st.decimalSeparator);
            else if (joined.empty())
                joined = std::move(t.value.s); // the list is ours
            else
                joined += t.value.s;
        }
        return CParamVar::text(std::move(joined));
    }
    const char sep = st.decimalSeparator;
    if (!tokens.empty() && tokens.front().type == Kind::Plus) {
        tokens.erase(tokens.begin());
    } else if (!tokens.empty() && tokens.front().type == Kind::Minus) {
        tokens.erase(tokens.begin());
        if (!tokens.empty()) tokens.front().value = negateValue(tokens.front().value, sep);
    }
    for (size_t k = 0; k < tokens.size(); ++k) {
        if (tokens[k].type != Kind::Minus) continue;
        tokens[k].type = Kind::Plus;
        if (k + 1 < tokens.size()) tokens[k + 1].value = negateValue(tokens[k + 1].value, sep);
    }
    Variant sum = Variant::ofInt(0);
    Kind pending = Kind::Empty;
    size_t k = 0;
    while (k < tokens.size()) {
        Variant term = tokens[k++].value; // a term begins with whatever token comes next
        while (k < tokens.size() && tokens[k].type != Kind::Plus) {
            const CParamVar& t = tokens[k++];
            if (t.type == Kind::Mul || t.type == Kind::Div)
                pending = t.type;
            else if (pending == Kind::Mul)
                term = multiplyValues(term, t.value, sep);
            else if (pending == Kind::Div)
                term = divideValues(term, t.value, sep);
        }
        if (k < tokens.size()) ++k; // the "+" that ends the term
        sum = addValues(sum, term, sep);
    }
    return {Kind::Number, sum};
}

static bool isLoneInteger(const CParamVar& t) {
    return t.type == Kind::Number && t.value.type == Variant::Type::Int;
}

// The value of the tokens [b, e) without the comparison signs; a lone integer is its own value.
static Variant sideValue(CCompil& st, const TokenList& tokens, size_t b, size_t e) {
    TokenList side;
    side.reserve(e - b);
    for (size_t k = b; k < e; ++k)
        if (!isComparison(tokens[k].type)) side.push_back(tokens[k]);
    if (side.size() == 1 && isLoneInteger(side[0])) return side[0].value;
    return evaluateTokens(st, std::move(side)).value;
}

CParamVar evaluateComparison(CCompil& st, const TokenList& tokens) {
    const char sep = st.decimalSeparator;
    size_t first = tokens.size();
    Kind op = Kind::Empty;
    for (size_t k = 0; k < tokens.size(); ++k) {
        if (!isComparison(tokens[k].type)) continue;
        if (first == tokens.size()) first = k;
        op = tokens[k].type;
    }
    if (first == tokens.size()) {
        CParamVar v = evaluateTokens(st, tokens);
        bool zero = compareValues(v.value, Variant::ofInt(0), sep) == 0;
        return zero ? CParamVar{Kind::Number, v.value} : CParamVar::number(1);
    }
    // the common "I<10": two lone integers need no lists
    const bool loneLeft = first == 1 && isLoneInteger(tokens[0]);
    const bool loneRight = tokens.size() == first + 2 && isLoneInteger(tokens[first + 1]);
    const Variant l = loneLeft ? tokens[0].value : sideValue(st, tokens, 0, first);
    const Variant r =
        loneRight ? tokens[first + 1].value : sideValue(st, tokens, first + 1, tokens.size());
    const double margin = 1e-13;
    bool res = false;
    switch (op) {
    case Kind::Eq:
        res = compareValues(l, r, sep) == 0;
        break;
    case Kind::Ne:
        res = compareValues(l, r, sep) != 0;
        break;
    case Kind::Lt:
        res = compareValues(l, Variant::ofDouble(toDouble(r, sep) - margin), sep) < 0;
        break;
    case Kind::Gt:
        res = compareValues(Variant::ofDouble(toDouble(l, sep) - margin), r, sep) > 0;
        break;
    case Kind::Ge:
        res = !(compareValues(l, r, sep) < 0);
        break;
    case Kind::Le:
        res = !(compareValues(l, r, sep) > 0);
        break;
    default:
        break;
    }
    return CParamVar::number(res ? 1 : 0);
}

int findMatchingParen(const TokenList& tokens, int start) {
    int open = 0, close = 0;
    for (int k = start; k < static_cast<int>(tokens.size()); ++k) {
        if (tokens[k].type == Kind::LParen)
            ++open;
        else if (tokens[k].type == Kind::RParen)
            ++close;
        if (open == close) return k;
    }
    return -1;
}

void findComparisonGroup(CCompil& st, const TokenList& tokens) {
    st.groupStart = st.groupEnd = 0;
    for (int k = 0; k < static_cast<int>(tokens.size()); ++k) {
        if (tokens[k].type != Kind::LParen) continue;
        int close = findMatchingParen(tokens, k);
        if (close < 0) continue;
        int count = 0;
        for (int m = k + 1; m < close; ++m)
            count += isComparison(tokens[m].type);
        if (count == 1) {
            st.groupStart = k;
            st.groupEnd = close;
        }
    }
}

static bool hasComparison(const TokenList& tokens) {
    for (const auto& t : tokens)
        if (isComparison(t.type)) return true;
    return false;
}

std::string evaluateCondition(CCompil& st, const std::string& text) {
    ExprPlan* plan = nullptr;
    return evaluateCondition(st, plan, text);
}

std::string evaluateCondition(CCompil& st, ExprPlan*& plan, const std::string& text) {
    if (!plan) plan = st.plans.get(text);
    TokenList tokens = tokenize(st, *plan);
    for (auto& t : tokens) {
        if (t.type == Kind::Or)
            t.type = Kind::Plus;
        else if (t.type == Kind::And)
            t.type = Kind::Mul;
    }
    CParamVar value;
    bool done = false;
    while (hasComparison(tokens)) {
        findComparisonGroup(st, tokens);
        if (st.groupStart == 0 && st.groupEnd == 0) {
            value = evaluateComparison(st, tokens);
            done = true;
            break;
        }
        const int s = st.groupStart, e = st.groupEnd;
        CParamVar v = evaluateComparison(st, TokenList(tokens.begin() + s + 1, tokens.begin() + e));
        tokens[s + 1] = v;
        tokens.erase(tokens.begin() + s + 2, tokens.begin() + e);
    }
    if (!done) value = evaluateTokens(st, tokens);
    bool truth;
    if (value.type == Kind::String)
        truth = !toText(value.value, st.decimalSeparator).empty();
    else
        truth = compareValues(value.value, Variant::ofInt(0), st.decimalSeparator) != 0;
    return truth ? "TRUE" : "FALSE";
}

int argumentCount(const TokenList& tokens) {
    if (tokens.empty()) return 0;
    int depth = 0, commas = 0;
    for (const auto& t : tokens) {
        if (t.type == Kind::LParen)
            ++depth;
        else if (t.type == Kind::RParen)
            --depth;
        else if (t.type == Kind::Comma && depth == 0)
            ++commas;
    }
    return commas + 1;
}

CParamVar argumentValue(CCompil& st, const TokenList& tokens, int k) {
    int depth = 0, group = 0;
    TokenList current;
    for (const auto& t : tokens) {
        if (t.type == Kind::Comma && depth == 0) {
            if (++group == k) return evaluateTokens(st, current);
            current.clear();
            continue;
        }
        if (t.type == Kind::LParen)
            ++depth;
        else if (t.type == Kind::RParen)
            --depth;
        current.push_back(t);
    }
    return evaluateTokens(st, current);
}

TokenList commandArguments(CCompil& st, const std::string& argText) {
    if (argText.size() < 2) return tokenize(st, "");
    return tokenize(st, argText.substr(1, argText.size() - 2));
}

} // namespace qm
