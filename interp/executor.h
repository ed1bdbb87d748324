// The executor: walks the execution list from a statement index.
#pragma once

#include "interp/state.h"

namespace qm {

void executeBlock(CCompil& st, int start);
// One ordinary statement; returns its outcome ("IFTRUE", "WHILEFALSE", "ELSE", ... or empty).
std::string executeStatement(CCompil& st, const std::string& s);
// The command hand-off: name before the first "(", the rest is the argument text.
void executeCommand(CCompil& st, const std::string& name, const std::string& argText);

} // namespace qm
