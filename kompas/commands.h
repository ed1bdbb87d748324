// The drawing commands of the language (KSLINESEG, KSCIRCLE, ..., the dimensions) and KSGETREF.
#pragma once

#include "interp/state.h"
#include "kompas/link.h"

namespace qm::kompas {

// Registers every KS command and the function KSGETREF with the interpreter, all sending through
// `link`, and makes each run start with link.findCompanion() (an earlier onRunStart still runs
// first). The link must outlive the interpreter state.
void installKompasCommands(CCompil& st, KompasLink& link);

} // namespace qm::kompas
