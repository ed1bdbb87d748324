// The loader: program lines to cleaned statements.
#pragma once

#include "interp/state.h"

namespace qm {

// Cuts the program text into statements: comments removed, split at ';' outside quotes, and
// each statement normalised (blanks folded, upper case outside quotes).
std::vector<Statement> prepareStatements(const ProgramText& program);

// The normalisation of one statement text.
std::string normaliseStatement(const std::string& text);

} // namespace qm
