// The drawing as SVG: sheet millimetres, y upwards, ISO 128 line widths and dash patterns,
// texts as UTF-8 text, and every object's element carrying its reference, kind, section and
// line (data-ref, data-kind, data-section, data-line) so the desktop can lead back to the code.
#pragma once

#include "drawing/drawing.h"

#include <ostream>

namespace qm::drawing {

void writeSvg(const Drawing& drawing, std::ostream& out);

} // namespace qm::drawing
