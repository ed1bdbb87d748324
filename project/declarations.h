// The declaration block generated from the parameters: one assignment or array declaration per
// parameter, then the marker line, an empty line and "implementation".
#pragma once

#include "project/model.h"

#include <string>

namespace qm {

// "////----------- код выше создан программой, не изменять------------"
const std::string& declarationMarker();

// Rebuilds unit.declarations from unit.data.
void generateDeclarations(CUnitProject& unit);

// A number as the declarations write it: the general number format when the language reads that
// text back as the same value, otherwise fixed notation with a decimal point, which it does.
std::string declarationNumber(double value);

// A text between apostrophes of a generated line: each apostrophe written as "`", which the
// tokenizer turns back into an apostrophe.
std::string quotedText(const std::string& text);

} // namespace qm
