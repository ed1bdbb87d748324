#include "kompas/records.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace qm::kompas {

void RecordWriter::check(std::size_t off, std::size_t n) const {
    if (off > bytes_.size() || n > bytes_.size() - off)
        throw std::out_of_range("record store past the end at offset " + std::to_string(off));
}

void RecordWriter::u8(std::size_t off, std::uint8_t v) {
    check(off, 1);
    bytes_[off] = v;
}

void RecordWriter::u16(std::size_t off, std::uint16_t v) {
    check(off, 2);
    for (int i = 0; i < 2; ++i)
        bytes_[off + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void RecordWriter::u32(std::size_t off, std::uint32_t v) {
    check(off, 4);
    for (int i = 0; i < 4; ++i)
        bytes_[off + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void RecordWriter::f64(std::size_t off, double v) {
    check(off, 8);
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i)
        bytes_[off + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

void RecordReader::check(std::size_t off, std::size_t n) const {
    if (off > size_ || n > size_ - off)
        throw std::out_of_range("record read past the end at offset " + std::to_string(off));
}

std::uint8_t RecordReader::u8(std::size_t off) const {
    check(off, 1);
    return data_[off];
}

std::uint16_t RecordReader::u16(std::size_t off) const {
    check(off, 2);
    return static_cast<std::uint16_t>(data_[off] | (data_[off + 1] << 8));
}

std::uint32_t RecordReader::u32(std::size_t off) const {
    check(off, 4);
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | data_[off + i];
    return v;
}

double RecordReader::f64(std::size_t off) const {
    check(off, 8);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | data_[off + i];
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

namespace {

// The layouts below are written once and run in both directions: with a Packer they store the
// fields, with an Unpacker they load them. `at(base)` addresses an embedded part.
struct Packer {
    RecordWriter& w;
    std::size_t base = 0;
    Packer at(std::size_t off) const { return {w, base + off}; }
    void u8(std::size_t off, const std::uint8_t& v) { w.u8(base + off, v); }
    void u16(std::size_t off, const std::uint16_t& v) { w.u16(base + off, v); }
    void u32(std::size_t off, const std::uint32_t& v) { w.u32(base + off, v); }
    void i16(std::size_t off, const std::int16_t& v) { w.i16(base + off, v); }
    void i32(std::size_t off, const std::int32_t& v) { w.i32(base + off, v); }
    void f64(std::size_t off, const double& v) { w.f64(base + off, v); }
};

struct Unpacker {
    const RecordReader& r;
    std::size_t base = 0;
    Unpacker at(std::size_t off) const { return {r, base + off}; }
    void u8(std::size_t off, std::uint8_t& v) { v = r.u8(base + off); }
    void u16(std::size_t off, std::uint16_t& v) { v = r.u16(base + off); }
    void u32(std::size_t off, std::uint32_t& v) { v = r.u32(base + off); }
    void i16(std::size_t off, std::int16_t& v) { v = r.i16(base + off); }
    void i32(std::size_t off, std::int32_t& v) { v = r.i32(base + off); }
    void f64(std::size_t off, double& v) { v = r.f64(base + off); }
};

// Consecutive doubles from `off`, 8 bytes apart.
template <class IO, class A> void doubles(IO& io, std::size_t off, A& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
        io.f64(off + 8 * i, values[i]);
}

template <class IO, class R> void layoutLine(IO& io, R& r) {
    io.f64(0, r.x), io.f64(8, r.y), io.f64(16, r.angle);
}
template <class IO, class R> void layoutSegment(IO& io, R& r) {
    io.f64(0, r.x1), io.f64(8, r.y1), io.f64(16, r.x2), io.f64(24, r.y2), io.u32(32, r.style);
}
template <class IO, class R> void layoutCircle(IO& io, R& r) {
    io.f64(0, r.xc), io.f64(8, r.yc), io.f64(16, r.radius), io.u32(24, r.style);
}
template <class IO, class R> void layoutArc(IO& io, R& r) {
    io.f64(0, r.xc), io.f64(8, r.yc), io.f64(16, r.radius);
    io.f64(24, r.angle1), io.f64(32, r.angle2), io.i32(40, r.direction), io.u32(44, r.style);
}
template <class IO, class R> void layoutHatch(IO& io, R& r) {
    io.u32(0, r.style), io.f64(4, r.angle), io.f64(12, r.step);
    doubles(io, 20, r.more);
}
template <class IO, class R> void layoutHatchP(IO& io, R& r) {
    io.u16(0, r.style), io.f64(2, r.angle), io.f64(10, r.step);
    doubles(io, 18, r.more);
}
template <class IO, class R> void layoutText(IO& io, R& r) {
    io.f64(0, r.x), io.f64(8, r.y), io.f64(16, r.angle), io.f64(24, r.height);
    io.f64(32, r.narrowing), io.u32(40, r.flags);
}
template <class IO, class R> void layoutDimText(IO io, R& r) {
    io.i16(0, r.style), io.i32(2, r.sign), io.i32(6, r.shortcut);
}
template <class IO, class R> void layoutDimDrawing(IO io, R& r) {
    io.u8(0, r.ext1Off), io.u8(1, r.ext2Off), io.u8(2, r.arrow1), io.u8(3, r.arrow2);
    io.i32(4, r.textPos), io.u8(8, r.textBase), io.i32(9, r.shelfDir);
    io.f64(13, r.shelfAngle), io.i32(21, r.shelfLength);
}
template <class IO, class R> void layoutRadialDrawing(IO io, R& r) {
    io.u8(0, r.arrow1), io.u8(1, r.arrow2), io.i32(2, r.textPos), io.i32(6, r.shelfDir);
    io.f64(10, r.angle);
}
template <class IO, class R> void layoutBreakDrawing(IO& io, R& r) {
    io.u8(0, r.arrow), io.f64(1, r.angle), io.i32(9, r.textPos);
}
template <class IO, class R> void layoutLinDim(IO& io, R& r) {
    layoutDimText(io.at(0), r.text), layoutDimDrawing(io.at(15), r.drawing);
    io.u8(40, r.orientation), io.f64(41, r.x1), io.f64(49, r.y1), io.f64(57, r.x2);
    io.f64(65, r.y2), io.f64(73, r.dx), io.f64(81, r.dy), io.u8(89, r.basePoint);
}
template <class IO, class R> void layoutAngDim(IO& io, R& r) {
    layoutDimText(io.at(0), r.text), layoutDimDrawing(io.at(15), r.drawing);
    io.f64(40, r.xc), io.f64(48, r.yc), io.f64(56, r.radius), io.f64(64, r.angle1);
    io.f64(72, r.angle2), io.i32(80, r.direction), io.f64(84, r.x1), io.f64(92, r.y1);
    io.f64(100, r.x2), io.f64(108, r.y2);
}
template <class IO, class R> void layoutCircleDim(IO& io, R& r) {
    layoutDimText(io.at(0), r.text), layoutRadialDrawing(io.at(15), r.drawing);
    io.f64(33, r.xc), io.f64(41, r.yc), io.f64(49, r.radius);
}
template <class IO, class R> void layoutRadBreakDim(IO& io, R& r) {
    io.f64(0, r.xc), io.f64(8, r.yc), io.f64(16, r.radius);
}
template <class IO, class R> void layoutRough(IO& io, R& r) {
    io.u8(0, r.signType), io.u8(1, r.contour), io.f64(2, r.x), io.f64(10, r.y);
    io.f64(18, r.angle), io.u8(26, r.lines1), io.u8(27, r.lines2), io.u8(28, r.lines3);
    io.u8(29, r.place4), io.i32(30, r.leaderDir), io.f64(34, r.leaderAngle);
    io.i32(42, r.leaderLength);
}
template <class IO, class R> void layoutSheetView(IO& io, R& r) {
    io.i16(0, r.number), io.f64(2, r.x), io.f64(10, r.y), io.f64(18, r.scale);
    io.f64(26, r.angle), io.i32(34, r.colour), io.i32(38, r.state);
}
template <class IO, class R> void layoutViewNumber(IO& io, R& r) {
    io.i32(0, r.number);
}
template <class IO, class R> void layoutGroup(IO& io, R& r) {
    io.u32(0, r.type);
}
template <class IO, class R> void layoutMove(IO& io, R& r) {
    io.i32(0, r.ref), io.f64(4, r.dx), io.f64(12, r.dy);
}
template <class IO, class R> void layoutRotate(IO& io, R& r) {
    io.i32(0, r.ref), io.f64(4, r.x), io.f64(12, r.y), io.f64(20, r.angle);
}
template <class IO, class R> void layoutCopy(IO& io, R& r) {
    io.i32(0, r.ref), io.f64(4, r.x1), io.f64(12, r.y1), io.f64(20, r.x2), io.f64(28, r.y2);
    io.f64(36, r.scale), io.f64(44, r.angle);
}
template <class IO, class R> void layoutSymmetry(IO& io, R& r) {
    io.i32(0, r.ref), io.f64(4, r.x1), io.f64(12, r.y1), io.f64(20, r.x2), io.f64(28, r.y2);
    io.u8(36, r.keep);
}

} // namespace

#define QM_KOMPAS_DEFINE(T, layout)                                                                \
    Bytes pack(const T& r) {                                                                       \
        RecordWriter w(T::size);                                                                   \
        Packer p{w};                                                                               \
        layout(p, r);                                                                              \
        return w.take();                                                                           \
    }                                                                                              \
    bool unpack(const std::uint8_t* data, std::size_t count, T& out) {                             \
        if (!data || count != T::size) return false;                                               \
        RecordReader reader(data, count);                                                          \
        Unpacker u{reader};                                                                        \
        T r;                                                                                       \
        layout(u, r);                                                                              \
        out = r;                                                                                   \
        return true;                                                                               \
    }

QM_KOMPAS_DEFINE(LineRecord, layoutLine)
QM_KOMPAS_DEFINE(SegmentRecord, layoutSegment)
QM_KOMPAS_DEFINE(CircleRecord, layoutCircle)
QM_KOMPAS_DEFINE(ArcRecord, layoutArc)
QM_KOMPAS_DEFINE(HatchRecord, layoutHatch)
QM_KOMPAS_DEFINE(HatchPRecord, layoutHatchP)
QM_KOMPAS_DEFINE(TextRecord, layoutText)
QM_KOMPAS_DEFINE(DimTextRecord, layoutDimText)
QM_KOMPAS_DEFINE(DimDrawingRecord, layoutDimDrawing)
QM_KOMPAS_DEFINE(RadialDrawingRecord, layoutRadialDrawing)
QM_KOMPAS_DEFINE(BreakDrawingRecord, layoutBreakDrawing)
QM_KOMPAS_DEFINE(LinDimRecord, layoutLinDim)
QM_KOMPAS_DEFINE(AngDimRecord, layoutAngDim)
QM_KOMPAS_DEFINE(CircleDimRecord, layoutCircleDim)
QM_KOMPAS_DEFINE(RadBreakDimRecord, layoutRadBreakDim)
QM_KOMPAS_DEFINE(RoughRecord, layoutRough)
QM_KOMPAS_DEFINE(SheetViewRecord, layoutSheetView)
QM_KOMPAS_DEFINE(ViewNumberRecord, layoutViewNumber)
QM_KOMPAS_DEFINE(GroupRecord, layoutGroup)
QM_KOMPAS_DEFINE(MoveRecord, layoutMove)
QM_KOMPAS_DEFINE(RotateRecord, layoutRotate)
QM_KOMPAS_DEFINE(CopyRecord, layoutCopy)
QM_KOMPAS_DEFINE(SymmetryRecord, layoutSymmetry)

} // namespace qm::kompas
