// User procedures and functions: declarations, calls, END and RETURN.
#pragma once

#include "interp/state.h"

namespace qm {

// Registers the declaration at index i and returns the index of its END (throws when none).
int registerDeclaration(CCompil& st, int i);
// The first registered procedure that the statement calls, or -1.
int calledProcedure(const CCompil& st, const std::string& s);
// The argument tokens of a call statement, read in the caller's scope.
TokenList callStatementArguments(CCompil& st, int proc, const std::string& s);
// Pushes a frame, binds the arguments and runs the body; the body's END or RETURN pops the frame.
void callProcedure(CCompil& st, size_t proc, const TokenList& args);

} // namespace qm
