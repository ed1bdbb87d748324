// What a cleaned statement is, as far as its text alone tells: worked out once per statement.
#pragma once

#include <string>

namespace qm {

struct ExprPlan;

struct StatementInfo {
    // In the order the executor tests them (a procedure call is tested before all but the first).
    enum class Kind {
        Declaration,
        End,
        Return,
        NextOrContinue,
        Break,
        EndProject, // handled by the block
        If,
        Else,
        EndIf,
        While,
        Assignment,
        ArrayDeclaration,
        Command // ordinary statements
    };
    Kind kind = Kind::Command;
    // If/While: the condition; Return: the expression; Command: the argument text "(...)".
    std::string expr;
    ExprPlan* plan = nullptr; // of expr, filled on first use
    // Assignment: element form (NAME[index]=value) or not.
    bool element = false;
    std::string name;              // text before the first "[" (element) or "=" (whole array)
    std::string indexText;         // element form
    bool local = false;            // scalar form: began with "L_VAR "
    std::string scalarName;        // scalar form: before the first "=" once "L_VAR " is removed
    std::string rhs;               // after the first "="
    bool elementMalformed = false; // "]=" present but no "[" ... "]" pair before it
    ExprPlan* indexPlan = nullptr;
    ExprPlan* rhsPlan = nullptr;
    // Scalar form at top level: the global variable it stores into, in run `globalRun`.
    unsigned globalRun = 0;
    int globalVar = -1;
};

StatementInfo classifyStatement(const std::string& s);

} // namespace qm
