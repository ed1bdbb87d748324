// The argument records of the drawing commands, byte for byte, with pack and unpack.
// Every record is packed little-endian with no padding; unset bytes are zero. `pack` gives the
// full record of the listed size; `unpack` accepts only a record of exactly that size (anything
// else is refused, so a receiver never reads past what it got).
// Field comments: offset, wire type, and the script argument (N = argument N of the command).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace qm::kompas {

using Bytes = std::vector<std::uint8_t>;

// Little-endian stores into a record of fixed size; a store past the end throws std::out_of_range.
class RecordWriter {
  public:
    explicit RecordWriter(std::size_t size) : bytes_(size, 0) {}
    void u8(std::size_t off, std::uint8_t v);
    void u16(std::size_t off, std::uint16_t v);
    void u32(std::size_t off, std::uint32_t v);
    void i16(std::size_t off, std::int16_t v) { u16(off, static_cast<std::uint16_t>(v)); }
    void i32(std::size_t off, std::int32_t v) { u32(off, static_cast<std::uint32_t>(v)); }
    void f64(std::size_t off, double v);
    const Bytes& bytes() const { return bytes_; }
    Bytes take() { return std::move(bytes_); }

  private:
    void check(std::size_t off, std::size_t n) const;
    Bytes bytes_;
};

// Little-endian reads from a record; a read past the end throws std::out_of_range.
class RecordReader {
  public:
    RecordReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t u8(std::size_t off) const;
    std::uint16_t u16(std::size_t off) const;
    std::uint32_t u32(std::size_t off) const;
    std::int16_t i16(std::size_t off) const { return static_cast<std::int16_t>(u16(off)); }
    std::int32_t i32(std::size_t off) const { return static_cast<std::int32_t>(u32(off)); }
    double f64(std::size_t off) const;
    std::size_t size() const { return size_; }

  private:
    void check(std::size_t off, std::size_t n) const;
    const std::uint8_t* data_;
    std::size_t size_;
};

// ---- Geometry -------------------------------------------------------------------------------

// 1175, KSLINE(x, y, angle): an auxiliary line through (x, y) at an angle in degrees.
struct LineRecord {
    static constexpr std::uint32_t id = 1175;
    static constexpr std::size_t size = 24;
    double x = 0;     // 0  double, 1
    double y = 0;     // 8  double, 2
    double angle = 0; // 16 double, 3
};

// 1176, KSLINESEG(x1, y1, x2, y2, style). Style codes: 1 main, 2 thin, 3 axis, 4 hidden,
// 7 thick, 8 dotted (others are passed through).
struct SegmentRecord {
    static constexpr std::uint32_t id = 1176;
    static constexpr std::size_t size = 36;
    double x1 = 0, y1 = 0;   // 0, 8   double, 1 and 2
    double x2 = 0, y2 = 0;   // 16, 24 double, 3 and 4
    std::uint32_t style = 0; // 32 uint32, 5
};

// 1177, KSCIRCLE(xc, yc, radius, style).
struct CircleRecord {
    static constexpr std::uint32_t id = 1177;
    static constexpr std::size_t size = 28;
    double xc = 0, yc = 0;   // 0, 8 double, 1 and 2
    double radius = 0;       // 16   double, 3
    std::uint32_t style = 0; // 24   uint32, 4
};

// 1178, KSARCBYANGLE(xc, yc, radius, angle1, angle2, direction, style); angles in degrees,
// direction 1 counter-clockwise from angle1 to angle2, -1 clockwise.
struct ArcRecord {
    static constexpr std::uint32_t id = 1178;
    static constexpr std::size_t size = 48;
    double xc = 0, yc = 0;         // 0, 8   double, 1 and 2
    double radius = 0;             // 16     double, 3
    double angle1 = 0, angle2 = 0; // 24, 32 double, 4 and 5
    std::int32_t direction = 0;    // 40     int32 (a 16-bit value, sign-extended), 6
    std::uint32_t style = 0;       // 44     uint32, 7
};

// 1179, KSHATCH(style, angle, step, a4, a5, a6): a hatch whose boundary is the objects sent
// after it up to KSENDOBJ.
struct HatchRecord {
    static constexpr std::uint32_t id = 1179;
    static constexpr std::size_t size = 44;
    std::uint32_t style = 0;      // 0  uint32 (a 16-bit value, zero-extended), 1
    double angle = 0;             // 4  double, 2
    double step = 0;              // 12 double, 3
    std::array<double, 3> more{}; // 20, 28, 36 double, 4 to 6 (passed through)
};

// 1180, KSHATCHP(style, angle, step, a4 .. a8): as KSHATCH, with more numbers and a 16-bit style.
struct HatchPRecord {
    static constexpr std::uint32_t id = 1180;
    static constexpr std::size_t size = 58;
    std::uint16_t style = 0;      // 0  uint16, 1
    double angle = 0;             // 2  double, 2
    double step = 0;              // 10 double, 3
    std::array<double, 5> more{}; // 18, 26, 34, 42, 50 double, 4 to 8 (passed through)
};

// 1425, KSSTEXT(x, y, angle, size, narrowing, flags, text); the text travels before it as the
// parameter text (1426). Size is the character height in mm.
struct TextRecord {
    static constexpr std::uint32_t id = 1425;
    static constexpr std::size_t size = 44;
    double x = 0, y = 0;     // 0, 8 double, 1 and 2
    double angle = 0;        // 16   double, 3
    double height = 0;       // 24   double, 4
    double narrowing = 0;    // 32   double, 5
    std::uint32_t flags = 0; // 40   uint32, 6
};

// ---- Dimension parts ------------------------------------------------------------------------

// 1226, KSSETSTRUCTDIMTEXT(style, sign); also bytes 0..14 of every dimension record.
struct DimTextRecord {
    static constexpr std::uint32_t id = 1226;
    static constexpr std::size_t size = 15;
    std::int16_t style = 0;    // 0 int16, 1 (low 16 bits): text style code 0..14
    std::int32_t sign = 0;     // 2 int32, 2: 1 diameter, 2 square, 3 "R", 77 "M", others none
    std::int32_t shortcut = 0; // 6 int32: 1 from KSANGDIMENSION_LT, KSDIAMDIMENSION_LT and
                               // KSRADDIMENSION_LT, 0 from every other sender
    // 10..14 reserved, zero
};

// 1227, KSSETSTRUCTDIMDRAWING(...); also bytes 15..39 of the linear and angular records.
struct DimDrawingRecord {
    static constexpr std::uint32_t id = 1227;
    static constexpr std::size_t size = 25;
    std::uint8_t ext1Off = 0;  // 0  uint8, 1 (low byte): extension line 1 suppressed (1) or not (0)
    std::uint8_t ext2Off = 0;  // 1  uint8, 2 (low byte): extension line 2 suppressed
    std::uint8_t arrow1 = 0;   // 2  uint8, 3 (low byte): 0 none, 1 inside, 2 outside, 3 tick,
    std::uint8_t arrow2 = 0;   // 3  uint8, 4 (low byte):  4 dot, 255 break
    std::int32_t textPos = 0;  // 4  int32, 5
    std::uint8_t textBase = 0; // 8  uint8, 6 (low byte): 0 centre, 1 point 1, 2 point 2, 3 common
    std::int32_t shelfDir = 0; // 9  int32, 7: 0 none, -1 left, 1 right, 2 up, 3 down
    double shelfAngle = 0;     // 13 double, 8
    std::int32_t shelfLength = 0; // 21 int32, 9
};

// 1228, KSSETSTRUCTRDIMDRAWING(a1 .. a5); also bytes 15..32 of the diametral and radial records.
// The sender only passes the fields through; the names give the roles the companion assigns
// them, by analogy with DimDrawingRecord (the shortcuts set both arrows to 1).
struct RadialDrawingRecord {
    static constexpr std::uint32_t id = 1228;
    static constexpr std::size_t size = 18;
    std::uint8_t arrow1 = 0;   // 0  uint8, 1 (low byte)
    std::uint8_t arrow2 = 0;   // 1  uint8, 2 (low byte)
    std::int32_t textPos = 0;  // 2  int32, 3
    std::int32_t shelfDir = 0; // 6  int32, 4
    double angle = 0;          // 10 double, 5: where the dimension line points, degrees
};

// 1229, KSSETSTRUCTRBREAKDIMDRAWING(a1, a2, a3), passed through like RadialDrawingRecord.
struct BreakDrawingRecord {
    static constexpr std::uint32_t id = 1229;
    static constexpr std::size_t size = 13;
    std::uint8_t arrow = 0;   // 0 uint8, 1 (low byte)
    double angle = 0;         // 1 double, 2
    std::int32_t textPos = 0; // 9 int32, 3
};

// ---- Dimensions and annotations -------------------------------------------------------------

// 1325, KSLINDIMENSION(orientation, x1, y1, x2, y2, dx, dy, basePoint); the text and drawing
// parts are zero from KSLINDIMENSION and filled by KSLINDIMENSION_LT.
struct LinDimRecord {
    static constexpr std::uint32_t id = 1325;
    static constexpr std::size_t size = 90;
    DimTextRecord text;           // 0..14
    DimDrawingRecord drawing;     // 15..39
    std::uint8_t orientation = 0; // 40 uint8, 1: 0 horizontal, 1 vertical, 2 parallel to the
                                  // points, 3 along dx,dy, 4 parallel with dx,dy
    double x1 = 0, y1 = 0;        // 41, 49 double, 2 and 3
    double x2 = 0, y2 = 0;        // 57, 65 double, 4 and 5
    double dx = 0, dy = 0;        // 73, 81 double, 6 and 7
    std::uint8_t basePoint = 0;   // 89 uint8, 8: 1 from the first point, 2 from the second
};

// 1326, KSANGDIMENSION(xc, yc, radius, angle1, angle2, direction, x1, y1, x2, y2).
struct AngDimRecord {
    static constexpr std::uint32_t id = 1326;
    static constexpr std::size_t size = 116;
    DimTextRecord text;            // 0..14
    DimDrawingRecord drawing;      // 15..39
    double xc = 0, yc = 0;         // 40, 48 double, 1 and 2
    double radius = 0;             // 56     double, 3: radius of the dimension arc
    double angle1 = 0, angle2 = 0; // 64, 72 double, 4 and 5
    std::int32_t direction = 0;    // 80     int32, 6: -1 clockwise, 1 counter-clockwise
    double x1 = 0, y1 = 0;         // 84, 92   double, 7 and 8: exit of extension line 1
    double x2 = 0, y2 = 0;         // 100, 108 double, 9 and 10: exit of extension line 2
};

// 1327 and 1328, KSDIAMDIMENSION / KSRADDIMENSION(xc, yc, radius): the circle dimensioned.
struct CircleDimRecord {
    static constexpr std::size_t size = 57;
    DimTextRecord text;          // 0..14
    RadialDrawingRecord drawing; // 15..32
    double xc = 0, yc = 0;       // 33, 41 double, 1 and 2
    double radius = 0;           // 49     double, 3
};
struct DiamDimRecord : CircleDimRecord {
    static constexpr std::uint32_t id = 1327;
};
struct RadDimRecord : CircleDimRecord {
    static constexpr std::uint32_t id = 1328;
};

// 1329, KSRADBREAKDIMENSION(xc, yc, radius); unlike the other dimensions the numbers come first.
struct RadBreakDimRecord {
    static constexpr std::uint32_t id = 1329;
    static constexpr std::size_t size = 52;
    double xc = 0, yc = 0; // 0, 8 double, 1 and 2
    double radius = 0;     // 16   double, 3
    // 24..51 zero
};

// 1330, KSROUGH(...): a roughness mark; its texts (places 1..3 line by line, then place 4)
// travel before it as the parameter text.
struct RoughRecord {
    static constexpr std::uint32_t id = 1330;
    static constexpr std::size_t size = 46;
    std::uint8_t signType = 0;     // 0  uint8, 1: 0 basic, 1 material removed, 2 not removed
    std::uint8_t contour = 0;      // 1  uint8, 2: the contour circle (1) or not (0)
    double x = 0, y = 0;           // 2, 10 double, 3 and 4
    double angle = 0;              // 18 double, 5
    std::uint8_t lines1 = 0;       // 26 uint8, 6 (low byte): parameter text lines of place 1
    std::uint8_t lines2 = 0;       // 27 uint8, 7 (low byte): lines of place 2
    std::uint8_t lines3 = 0;       // 28 uint8, 8 (low byte): lines of place 3
    std::uint8_t place4 = 0;       // 29 uint8, 9 (low byte): a place-4 line follows (1) or not
    std::int32_t leaderDir = 0;    // 30 int32, 10: 0 none, -1 left, 1 right, 2 up, 3 down
    double leaderAngle = 0;        // 34 double, 11
    std::int32_t leaderLength = 0; // 42 int32, 12
};

// ---- Views, groups, transformations ---------------------------------------------------------

// 1475, KSCREATESHEETVIEW(number, x, y, scale, angle, colour, name, state); the name travels
// before it as the parameter text.
struct SheetViewRecord {
    static constexpr std::uint32_t id = 1475;
    static constexpr std::size_t size = 42;
    std::int16_t number = 0; // 0  int16, 1 (low 16 bits)
    double x = 0, y = 0;     // 2, 10 double, 2 and 3: the view's origin on the sheet
    double scale = 0;        // 18 double, 4
    double angle = 0;        // 26 double, 5: degrees
    std::int32_t colour = 0; // 34 int32, 6
    std::int32_t state = 0;  // 38 int32, 8
};

// 1476, KSOPENVIEW(number).
struct ViewNumberRecord {
    static constexpr std::uint32_t id = 1476;
    static constexpr std::size_t size = 4;
    std::int32_t number = 0; // 0 int32, 1
};

// 1525, KSNEWGROUP(type).
struct GroupRecord {
    static constexpr std::uint32_t id = 1525;
    static constexpr std::size_t size = 4;
    std::uint32_t type = 0; // 0 uint32 (an 8-bit value, zero-extended), 1
};

// 1575, KSMOVEOBJ(ref, dx, dy).
struct MoveRecord {
    static constexpr std::uint32_t id = 1575;
    static constexpr std::size_t size = 20;
    std::int32_t ref = 0;  // 0 int32, 1: object or group reference
    double dx = 0, dy = 0; // 4, 12 double, 2 and 3
};

// 1576, KSROTATEOBJ(ref, x, y, angle): about (x, y) by an angle in degrees.
struct RotateRecord {
    static constexpr std::uint32_t id = 1576;
    static constexpr std::size_t size = 28;
    std::int32_t ref = 0; // 0 int32, 1
    double x = 0, y = 0;  // 4, 12 double, 2 and 3
    double angle = 0;     // 20 double, 4
};

// 1577, KSCOPYOBJ(ref, x1, y1, x2, y2, scale, angle): from base point 1 to point 2.
struct CopyRecord {
    static constexpr std::uint32_t id = 1577;
    static constexpr std::size_t size = 52;
    std::int32_t ref = 0;  // 0 int32, 1
    double x1 = 0, y1 = 0; // 4, 12  double, 2 and 3
    double x2 = 0, y2 = 0; // 20, 28 double, 4 and 5
    double scale = 0;      // 36 double, 6
    double angle = 0;      // 44 double, 7
};

// 1578, KSSYMMETRYOBJ(ref, x1, y1, x2, y2, keep): mirror about the line through the points.
struct SymmetryRecord {
    static constexpr std::uint32_t id = 1578;
    static constexpr std::size_t size = 37;
    std::int32_t ref = 0;  // 0 int32, 1
    double x1 = 0, y1 = 0; // 4, 12  double, 2 and 3
    double x2 = 0, y2 = 0; // 20, 28 double, 4 and 5
    std::uint8_t keep = 0; // 36 uint8, 6 (low byte): 1 keeps the original
};

// pack: the full record. unpack: false (and `out` untouched) unless count equals the size.
#define QM_KOMPAS_RECORD(T)                                                                        \
    Bytes pack(const T& r);                                                                        \
    bool unpack(const std::uint8_t* data, std::size_t count, T& out);
QM_KOMPAS_RECORD(LineRecord)
QM_KOMPAS_RECORD(SegmentRecord)
QM_KOMPAS_RECORD(CircleRecord)
QM_KOMPAS_RECORD(ArcRecord)
QM_KOMPAS_RECORD(HatchRecord)
QM_KOMPAS_RECORD(HatchPRecord)
QM_KOMPAS_RECORD(TextRecord)
QM_KOMPAS_RECORD(DimTextRecord)
QM_KOMPAS_RECORD(DimDrawingRecord)
QM_KOMPAS_RECORD(RadialDrawingRecord)
QM_KOMPAS_RECORD(BreakDrawingRecord)
QM_KOMPAS_RECORD(LinDimRecord)
QM_KOMPAS_RECORD(AngDimRecord)
QM_KOMPAS_RECORD(CircleDimRecord)
QM_KOMPAS_RECORD(RadBreakDimRecord)
QM_KOMPAS_RECORD(RoughRecord)
QM_KOMPAS_RECORD(SheetViewRecord)
QM_KOMPAS_RECORD(ViewNumberRecord)
QM_KOMPAS_RECORD(GroupRecord)
QM_KOMPAS_RECORD(MoveRecord)
QM_KOMPAS_RECORD(RotateRecord)
QM_KOMPAS_RECORD(CopyRecord)
QM_KOMPAS_RECORD(SymmetryRecord)
#undef QM_KOMPAS_RECORD

} // namespace qm::kompas
