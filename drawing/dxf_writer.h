// The drawing as an ASCII DXF of AutoCAD 2000 (AC1015): millimetres, Windows-1251 texts, one
// layer per line kind with its linetype, true LINE, CIRCLE, ARC and XLINE entities, TEXT,
// HATCH (pattern and solid fills); dimensions and roughness marks as their lines, arrowheads
// and texts. Every entity carries the statement that made it as QUILLMARK extended data
// (section, line, object reference).
#pragma once

#include "drawing/drawing.h"

#include <ostream>

namespace qm::drawing {

void writeDxf(const Drawing& drawing, std::ostream& out);

} // namespace qm::drawing
