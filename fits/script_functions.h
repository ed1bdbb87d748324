// LIMITKVALITET and DIMTOSTR: the script functions over the shared limits-and-fits object.
#pragma once

#include "fits/dopuski.h"
#include "interp/state.h"

namespace qm {

// Registers both functions in st; they work on dopuski, which must outlive st's runs, and show
// its messages through st's host.
void installFitsFunctions(CCompil& st, CDopuski& dopuski);

} // namespace qm
