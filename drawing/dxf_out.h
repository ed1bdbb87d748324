// Group code / value pairs of an ASCII DXF, with the handles of the AutoCAD 2000 skeleton.
#pragma once

#include "drawing/geometry.h"
#include "drawing/numtext.h"
#include "drawing/shapes.h"

#include <ostream>
#include <string>

namespace qm::drawing {

class DxfOut {
  public:
    explicit DxfOut(std::ostream& out) : out_(out) {}

    void put(int code, const std::string& value);
    void put(int code, const char* value) { put(code, std::string(value)); }
    void real(int code, double value) { put(code, num(value)); }
    void integer(int code, long long value);
    // x, y and z = 0 under codes base, base + 10, base + 20.
    void point(int base, Point p);
    void handle(int code, unsigned h) { put(code, hex(h)); }

    static std::string hex(unsigned h);

  private:
    std::ostream& out_;
};

// Handles of the fixed part of the file; entities take theirs from `firstEntity` on.
namespace handles {
constexpr unsigned layerTable = 0x1, ltypeTable = 0x2, appidTable = 0x3, dimstyleTable = 0x4,
                   styleTable = 0x5, ucsTable = 0x6, viewTable = 0x7, vportTable = 0x8,
                   blockRecordTable = 0x9;
constexpr unsigned rootDict = 0xA, groupDict = 0xB, layoutDict = 0xC, modelLayout = 0xD,
                   paperLayout = 0xE;
constexpr unsigned modelRecord = 0x10, paperRecord = 0x11, modelBlock = 0x12, modelEnd = 0x13,
                   paperBlock = 0x14, paperEnd = 0x15;
constexpr unsigned firstRecord = 0x20; // table records, counted up
constexpr unsigned firstEntity = 0x100;
} // namespace handles

// The layer of a line kind, with its linetype.
const char* layerName(LineKind kind);

// The sections before the entities (HEADER, CLASSES, TABLES, BLOCKS) and after them (OBJECTS).
struct DxfExtents {
    Point min, max;
};
void writeDxfHead(DxfOut& dxf, const DxfExtents& ext, unsigned handseed);
void writeDxfObjects(DxfOut& dxf, const DxfExtents& ext);

} // namespace qm::drawing
