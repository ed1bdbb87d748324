// Scope frames: lookups of scalars and arrays, and the assignment and declaration statements.
#pragma once

#include "interp/state.h"

namespace qm {

inline bool insideProcedure(const CCompil& st) {
    return st.frames.size() > 1;
}
CLocalPar& innermostFrame(CCompil& st);
CLocalPar& globalFrame(CCompil& st);

// The first scalar of that name in a frame, or null.
const CNameVar* findScalar(const CLocalPar& frame, const std::string& name);
// Index of the first / last array of that name in a frame, or -1.
int firstArray(const CLocalPar& frame, const std::string& name);
int lastArray(const CLocalPar& frame, const std::string& name);

// "Array by name": a copy of the elements of the last array of that name, empty when absent.
std::vector<CParamVar> arrayElements(const CLocalPar& frame, const std::string& name);

// True when the statement is eligible for assignment: it has '=' and no apostrophe before it.
bool isAssignment(const std::string& s);

struct StatementInfo;
// The assignment forms: element, whole array, scalar and L_VAR.
void executeAssignment(CCompil& st, StatementInfo& info);
// ARRAY NAME and L_VAR ARRAY NAME; false when the statement is neither.
bool executeArrayDeclaration(CCompil& st, const std::string& s);

} // namespace qm
