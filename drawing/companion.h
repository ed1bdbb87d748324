// Our drawing companion: it listens to the message stream exactly as the companion window of
// old did (count, chunks, command), builds the drawing, answers every command with a 32-bit
// result, and writes what it drew as SVG or DXF.
#pragma once

#include "drawing/assembler.h"
#include "drawing/drawing.h"
#include "kompas/records.h"
#include "kompas/transport.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace qm {

class Companion : public kompas::Transport {
  public:
    // Answers: a command that makes an object answers its reference (positive, unique in the
    // drawing); text messages and dimension parts answer 1; a record that did not arrive whole
    // and in order, a wrong size, an unknown id, a bad value or an unknown reference answer 0
    // and change nothing. Count and chunk messages answer 0.
    std::int32_t send(std::uint32_t msgId, std::uint32_t wParam, std::uint32_t lParam,
                      const kompas::Origin& origin) override;

    void writeSvg(std::ostream& out) const;
    void writeDxf(std::ostream& out) const;
    // The same into a file, replaced only once the new one is complete; FileError on failure.
    void saveSvg(const std::string& path) const;
    void saveDxf(const std::string& path) const;

    const drawing::Drawing& drawing() const { return drawing_; }

  private:
    using Record = std::vector<std::uint8_t>;

    std::int32_t execute(std::uint32_t id, const Record& record, const SourceLocation& where);
    std::int32_t geometry(std::uint32_t id, const Record& record, const SourceLocation& where);
    std::int32_t structure(std::uint32_t id, const Record& record, const SourceLocation& where);
    std::int32_t annotation(std::uint32_t id, const Record& record, const SourceLocation& where);

    std::int32_t segment(const Record& r, const SourceLocation& where);
    std::int32_t circle(const Record& r, const SourceLocation& where);
    std::int32_t arc(const Record& r, const SourceLocation& where);
    std::int32_t auxLine(const Record& r, const SourceLocation& where);
    std::int32_t text(const Record& r, const SourceLocation& where);
    std::int32_t hatch(std::uint32_t id, const Record& r, const SourceLocation& where);
    std::int32_t sheetView(const Record& r);
    std::int32_t transformation(std::uint32_t id, const Record& r, const SourceLocation& where);
    std::int32_t linearDimension(const Record& r, const SourceLocation& where);
    std::int32_t angularDimension(const Record& r, const SourceLocation& where);
    std::int32_t circleDimension(std::uint32_t id, const Record& r, const SourceLocation& where);
    std::int32_t breakDimension(const Record& r, const SourceLocation& where);
    std::int32_t roughness(const Record& r, const SourceLocation& where);

    // A boundary edge while a hatch is open (answers a fresh reference), else 0.
    std::int32_t boundary(const drawing::Edge& edge);
    // Sheet millimetres in the units of the current view.
    double unitsPerMm() const;
    // The parameter text as UTF-8 lines.
    std::vector<std::string> paramLines() const;

    drawing::RecordAssembler assembler_;
    drawing::Drawing drawing_;
    // The parts of dimensions and marks as the script sent them last; before the first one, a
    // dimension measures itself and has arrows at both ends.
    std::string paramText_; // Windows-1251, lines separated by code 10
    std::string bitFlags_ = "_AUTONOMINAL";
    kompas::DimTextRecord dimText_;
    kompas::DimDrawingRecord dimDrawing_ = [] {
        kompas::DimDrawingRecord d;
        d.arrow1 = d.arrow2 = 1;
        return d;
    }();
    kompas::RadialDrawingRecord radialDrawing_ = [] {
        kompas::RadialDrawingRecord d;
        d.arrow1 = d.arrow2 = 1;
        return d;
    }();
    kompas::BreakDrawingRecord breakDrawing_ = [] {
        kompas::BreakDrawingRecord d;
        d.arrow = 1;
        return d;
    }();
};

} // namespace qm
