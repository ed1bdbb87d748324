// Expression evaluation: tokenizing, parenthesised groups, flat evaluation, comparisons and
// conditions, and the argument helpers of commands.
#pragma once

#include "interp/state.h"

#include <string>

namespace qm {

TokenList tokenize(CCompil& st, const std::string& text);
TokenList tokenize(CCompil& st, ExprPlan& plan);
CParamVar evaluateTokens(CCompil& st, TokenList tokens);
CParamVar evaluateExpression(CCompil& st, const std::string& text);
// The same for a text whose plan is known; *plan is filled from `text` on first use.
CParamVar evaluateExpression(CCompil& st, ExprPlan*& plan, const std::string& text);
CParamVar evaluateFlat(CCompil& st, TokenList tokens);
CParamVar evaluateComparison(CCompil& st, const TokenList& tokens);
// "TRUE" or "FALSE".
std::string evaluateCondition(CCompil& st, const std::string& text);
std::string evaluateCondition(CCompil& st, ExprPlan*& plan, const std::string& text);
int findMatchingParen(const TokenList& tokens, int start);
void findComparisonGroup(CCompil& st, const TokenList& tokens);

// Command arguments: the top-level arguments of a token list (k counts from 1; a k beyond the
// count yields the last argument, as the language has always done).
int argumentCount(const TokenList& tokens);
CParamVar argumentValue(CCompil& st, const TokenList& tokens, int k);
// The token list of a command's argument text "(...)": the outer characters removed, tokenized
// once.
TokenList commandArguments(CCompil& st, const std::string& argText);

// The built-in function library (user functions first, then built-ins, then extensions).
CParamVar callFunction(CCompil& st, const std::string& name, const TokenList& args);

} // namespace qm
