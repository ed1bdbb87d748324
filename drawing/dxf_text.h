// Texts in a DXF of AutoCAD 2000: Windows-1251 bytes as $DWGCODEPAGE ANSI_1251 says, the
// drafting signs as AutoCAD's control codes, any other character as \U+XXXX.
#pragma once

#include <string>

namespace qm::drawing {

// A TEXT value from UTF-8, at most `maxBytes` long (cut only between characters).
std::string dxfText(const std::string& utf8, std::size_t maxBytes = 250);
// A Windows-1251 name or note without control characters, at most `maxBytes` long.
std::string dxfPlain(const std::string& cp1251, std::size_t maxBytes = 255);

} // namespace qm::drawing
