#include "kompas/protocol.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace qm::kompas;

namespace {

// Reads a value at a byte offset the way a little-endian receiver does, independently of
// RecordReader (the machines we build on are little-endian; checked below).
template <class T> T at(const Bytes& b, std::size_t off) {
    EXPECT_LE(off + sizeof(T), b.size()) << "offset " << off;
    T v{};
    if (off + sizeof(T) <= b.size()) std::memcpy(&v, b.data() + off, sizeof(T));
    return v;
}

// True when every byte in [from, to) is zero.
bool zeros(const Bytes& b, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to && i < b.size(); ++i)
        if (b[i] != 0) return false;
    return to <= b.size();
}

} // namespace

TEST(Protocol, HostIsLittleEndian) {
    std::uint32_t v = 1;
    std::uint8_t first;
    std::memcpy(&first, &v, 1);
    ASSERT_EQ(first, 1) << "the byte checks of these tests assume a little-endian host";
}

// Every command id with its record kind and size, as the protocol lists them.
TEST(Protocol, CommandTable) {
    struct Case {
        std::uint32_t id;
        RecordKind kind;
        std::size_t size;
    } cases[] = {
        {1175, RecordKind::Fixed, 24}, {1176, RecordKind::Fixed, 36},
        {1177, RecordKind::Fixed, 28}, {1178, RecordKind::Fixed, 48},
        {1179, RecordKind::Fixed, 44}, {1180, RecordKind::Fixed, 58},
        {1181, RecordKind::None, 0},   {1225, RecordKind::Text, 0},
        {1226, RecordKind::Fixed, 15}, {1227, RecordKind::Fixed, 25},
        {1228, RecordKind::Fixed, 18}, {1229, RecordKind::Fixed, 13},
        {1325, RecordKind::Fixed, 90}, {1326, RecordKind::Fixed, 116},
        {1327, RecordKind::Fixed, 57}, {1328, RecordKind::Fixed, 57},
        {1329, RecordKind::Fixed, 52}, {1330, RecordKind::Fixed, 46},
        {1425, RecordKind::Fixed, 44}, {1426, RecordKind::Text, 0},
        {1475, RecordKind::Fixed, 42}, {1476, RecordKind::Fixed, 4},
        {1525, RecordKind::Fixed, 4},  {1526, RecordKind::None, 0},
        {1575, RecordKind::Fixed, 20}, {1576, RecordKind::Fixed, 28},
        {1577, RecordKind::Fixed, 52}, {1578, RecordKind::Fixed, 37},
    };
    EXPECT_EQ(commandTable().size(), std::size(cases));
    for (const auto& c : cases) {
        const CommandInfo* info = commandInfo(c.id);
        ASSERT_NE(info, nullptr) << c.id;
        EXPECT_EQ(info->kind, c.kind) << c.id;
        EXPECT_EQ(info->size, c.size) << c.id;
    }
    for (std::uint32_t id : {0u, 1125u, 1126u, 1182u, 1230u, 1579u, 0xFFFFFFFFu})
        EXPECT_EQ(commandInfo(id), nullptr) << id;
}

TEST(Protocol, ChunkCounts) {
    struct Case {
        std::size_t count, chunks;
    } cases[] = {
        {1, 1},  {7, 1},  {8, 2},  {13, 2},  {15, 2},   {18, 3}, {20, 3}, {24, 4},
        {25, 4}, {28, 4}, {36, 5}, {37, 5},  {42, 6},   {44, 6}, {46, 6}, {48, 7},
        {52, 7}, {57, 8}, {58, 8}, {90, 12}, {116, 15}, {4, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chunkCount(c.count), c.chunks) << c.count;
}

TEST(Protocol, ChunkWordsArePaddedWithZeros) {
    const std::uint8_t rec[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    EXPECT_EQ(chunkWords(rec, 10, 0), std::make_pair(0x04030201u, 0x08070605u));
    EXPECT_EQ(chunkWords(rec, 10, 1), std::make_pair(0x00000A09u, 0u));
    EXPECT_EQ(chunkWords(rec, 10, 2), std::make_pair(0u, 0u));
    // Only `count` bytes are read, whatever lies behind them.
    EXPECT_EQ(chunkWords(rec, 5, 0), std::make_pair(0x04030201u, 0x00000005u));
    auto b = chunkBytes(0x04030201u, 0x0A090807u);
    EXPECT_EQ(b, (std::array<std::uint8_t, 8>{1, 2, 3, 4, 7, 8, 9, 10}));
}

TEST(Protocol, Texts) {
    EXPECT_EQ(packText(""), Bytes{0});
    EXPECT_EQ(packText("AB"), (Bytes{'A', 'B', 0}));
    const std::uint8_t rec[] = {'a', 'b', 0, 'c'};
    EXPECT_EQ(unpackText(rec, 4), "ab");
    EXPECT_EQ(unpackText(rec, 2), "ab"); // no terminator within the count: stop at the count
    EXPECT_EQ(unpackText(nullptr, 5), "");
}

// KSLINESEG(0, 0, 100, 50, 1), written out byte by byte.
TEST(Records, SegmentBytes) {
    SegmentRecord r;
    r.x2 = 100, r.y2 = 50, r.style = 1;
    Bytes expected(36, 0);
    expected[16 + 6] = 0x59, expected[16 + 7] = 0x40; // 100.0 = 0x4059000000000000
    expected[24 + 6] = 0x49, expected[24 + 7] = 0x40; // 50.0 = 0x4049000000000000
    expected[32] = 1;
    EXPECT_EQ(pack(r), expected);
}

TEST(Records, GeometryOffsets) {
    ArcRecord a{};
    a.xc = 1, a.yc = 2, a.radius = 3, a.angle1 = 4, a.angle2 = 5, a.direction = -1, a.style = 7;
    Bytes b = pack(a);
    ASSERT_EQ(b.size(), 48u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(at<double>(b, 8 * i), i + 1);
    EXPECT_EQ(at<std::int32_t>(b, 40), -1);
    EXPECT_EQ(at<std::uint32_t>(b, 44), 7u);

    HatchRecord h{};
    h.style = 65535, h.angle = 45, h.step = 2, h.more = {4, 5, 6};
    b = pack(h);
    ASSERT_EQ(b.size(), 44u);
    EXPECT_EQ(at<std::uint32_t>(b, 0), 65535u);
    const double hatchValues[] = {45, 2, 4, 5, 6};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(at<double>(b, 4 + 8 * i), hatchValues[i]);

    HatchPRecord p{};
    p.style = 0xBEEF, p.angle = 1, p.step = 2, p.more = {3, 4, 5, 6, 7};
    b = pack(p);
    ASSERT_EQ(b.size(), 58u);
    EXPECT_EQ(at<std::uint16_t>(b, 0), 0xBEEF);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(at<double>(b, 2 + 8 * i), i + 1);

    TextRecord t{};
    t.x = 1, t.y = 2, t.angle = 3, t.height = 4, t.narrowing = 5, t.flags = 0x80000001u;
    b = pack(t);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(at<double>(b, 8 * i), i + 1);
    EXPECT_EQ(at<std::uint32_t>(b, 40), 0x80000001u);
}

TEST(Records, DimensionPartsOffsets) {
    DimDrawingRecord d{};
    d.ext1Off = 1, d.ext2Off = 2, d.arrow1 = 3, d.arrow2 = 255, d.textPos = -5, d.textBase = 4;
    d.shelfDir = -1, d.shelfAngle = 30.5, d.shelfLength = 123456;
    Bytes b = pack(d);
    ASSERT_EQ(b.size(), 25u);
    EXPECT_EQ((Bytes{b[0], b[1], b[2], b[3]}), (Bytes{1, 2, 3, 255}));
    EXPECT_EQ(at<std::int32_t>(b, 4), -5);
    EXPECT_EQ(b[8], 4);
    EXPECT_EQ(at<std::int32_t>(b, 9), -1);
    EXPECT_EQ(at<double>(b, 13), 30.5);
    EXPECT_EQ(at<std::int32_t>(b, 21), 123456);

    LinDimRecord l{};
    l.text.style = -2, l.text.sign = 77, l.drawing = d, l.orientation = 4;
    l.x1 = 1, l.y1 = 2, l.x2 = 3, l.y2 = 4, l.dx = 5, l.dy = 6, l.basePoint = 2;
    b = pack(l);
    ASSERT_EQ(b.size(), 90u);
    EXPECT_EQ(at<std::int16_t>(b, 0), -2);
    EXPECT_EQ(at<std::int32_t>(b, 2), 77);
    EXPECT_TRUE(zeros(b, 6, 15));
    EXPECT_EQ(Bytes(b.begin() + 15, b.begin() + 40), pack(d));
    EXPECT_EQ(b[40], 4);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(at<double>(b, 41 + 8 * i), i + 1);
    EXPECT_EQ(b[89], 2);

    AngDimRecord a{};
    a.text.shortcut = 1, a.xc = 1, a.yc = 2, a.radius = 3, a.angle1 = 4, a.angle2 = 5;
    a.direction = -1, a.x1 = 6, a.y1 = 7, a.x2 = 8, a.y2 = 9;
    b = pack(a);
    ASSERT_EQ(b.size(), 116u);
    EXPECT_EQ(at<std::int32_t>(b, 6), 1);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(at<double>(b, 40 + 8 * i), i + 1);
    EXPECT_EQ(at<std::int32_t>(b, 80), -1);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(at<double>(b, 84 + 8 * i), i + 6);
}

TEST(Records, RadialAndBreakOffsets) {
    DiamDimRecord c{};
    c.drawing.arrow1 = 1, c.drawing.arrow2 = 2, c.drawing.textPos = 3, c.drawing.shelfDir = 4;
    c.drawing.angle = 45, c.xc = 10, c.yc = 20, c.radius = 5;
    Bytes b = pack(c);
    ASSERT_EQ(b.size(), 57u);
    EXPECT_TRUE(zeros(b, 0, 15));
    EXPECT_EQ(b[15], 1);
    EXPECT_EQ(b[16], 2);
    EXPECT_EQ(at<std::int32_t>(b, 17), 3);
    EXPECT_EQ(at<std::int32_t>(b, 21), 4);
    EXPECT_EQ(at<double>(b, 25), 45);
    EXPECT_EQ(at<double>(b, 33), 10);
    EXPECT_EQ(at<double>(b, 41), 20);
    EXPECT_EQ(at<double>(b, 49), 5);

    BreakDrawingRecord k{};
    k.arrow = 9, k.angle = -1.5, k.textPos = -7;
    b = pack(k);
    ASSERT_EQ(b.size(), 13u);
    EXPECT_EQ(b[0], 9);
    EXPECT_EQ(at<double>(b, 1), -1.5);
    EXPECT_EQ(at<std::int32_t>(b, 9), -7);

    RadBreakDimRecord r{};
    r.xc = 5, r.yc = 6, r.radius = 7;
    b = pack(r);
    ASSERT_EQ(b.size(), 52u);
    EXPECT_EQ(at<double>(b, 0), 5);
    EXPECT_EQ(at<double>(b, 8), 6);
    EXPECT_EQ(at<double>(b, 16), 7);
    EXPECT_TRUE(zeros(b, 24, 52));
}

TEST(Records, RoughViewAndTransformOffsets) {
    RoughRecord g{};
    g.signType = 1, g.contour = 1, g.x = 10, g.y = 20, g.angle = 90, g.lines1 = 2, g.lines2 = 3;
    g.lines3 = 4, g.place4 = 1, g.leaderDir = -1, g.leaderAngle = 45, g.leaderLength = 10;
    Bytes b = pack(g);
    ASSERT_EQ(b.size(), 46u);
    EXPECT_EQ((Bytes{b[0], b[1], b[26], b[27], b[28], b[29]}), (Bytes{1, 1, 2, 3, 4, 1}));
    EXPECT_EQ(at<double>(b, 2), 10);
    EXPECT_EQ(at<double>(b, 10), 20);
    EXPECT_EQ(at<double>(b, 18), 90);
    EXPECT_EQ(at<std::int32_t>(b, 30), -1);
    EXPECT_EQ(at<double>(b, 34), 45);
    EXPECT_EQ(at<std::int32_t>(b, 42), 10);

    SheetViewRecord v{};
    v.number = -3, v.x = 1, v.y = 2, v.scale = 3, v.angle = 4, v.colour = 0x00FF00, v.state = 5;
    b = pack(v);
    ASSERT_EQ(b.size(), 42u);
    EXPECT_EQ(at<std::int16_t>(b, 0), -3);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(at<double>(b, 2 + 8 * i), i + 1);
    EXPECT_EQ(at<std::int32_t>(b, 34), 0x00FF00);
    EXPECT_EQ(at<std::int32_t>(b, 38), 5);

    CopyRecord c{};
    c.ref = -9, c.x1 = 1, c.y1 = 2, c.x2 = 3, c.y2 = 4, c.scale = 5, c.angle = 6;
    b = pack(c);
    ASSERT_EQ(b.size(), 52u);
    EXPECT_EQ(at<std::int32_t>(b, 0), -9);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(at<double>(b, 4 + 8 * i), i + 1);

    SymmetryRecord s{};
    s.ref = 42, s.x1 = 1, s.y1 = 2, s.x2 = 3, s.y2 = 4, s.keep = 1;
    b = pack(s);
    ASSERT_EQ(b.size(), 37u);
    EXPECT_EQ(at<std::int32_t>(b, 0), 42);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(at<double>(b, 4 + 8 * i), i + 1);
    EXPECT_EQ(b[36], 1);

    EXPECT_EQ(pack(GroupRecord{0xAB}), (Bytes{0xAB, 0, 0, 0}));
    EXPECT_EQ(pack(ViewNumberRecord{-1}), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
}

// What is packed comes back unchanged, and a record of any other size is refused.
TEST(Records, UnpackIsExactAndChecksTheSize) {
    RoughRecord g{};
    g.signType = 2, g.x = -1.25, g.lines2 = 7, g.leaderLength = -3;
    Bytes b = pack(g);
    RoughRecord back{};
    ASSERT_TRUE(unpack(b.data(), b.size(), back));
    EXPECT_EQ(pack(back), b);
    EXPECT_FALSE(unpack(b.data(), b.size() - 1, back));
    b.push_back(0);
    EXPECT_FALSE(unpack(b.data(), b.size(), back));
    EXPECT_FALSE(unpack(nullptr, RoughRecord::size, back));

    AngDimRecord a{};
    a.text.sign = 3, a.drawing.shelfAngle = 12.5, a.y2 = 8;
    Bytes ab = pack(a);
    AngDimRecord aback{};
    ASSERT_TRUE(unpack(ab.data(), ab.size(), aback));
    EXPECT_EQ(aback.text.sign, 3);
    EXPECT_EQ(aback.drawing.shelfAngle, 12.5);
    EXPECT_EQ(aback.y2, 8);
}

TEST(Records, ReaderAndWriterStayInside) {
    RecordWriter w(4);
    EXPECT_THROW(w.u32(1, 0), std::out_of_range);
    EXPECT_THROW(w.f64(0, 0), std::out_of_range);
    EXPECT_THROW(w.u8(static_cast<std::size_t>(-1), 0), std::out_of_range);
    const std::uint8_t data[3] = {1, 2, 3};
    RecordReader r(data, 3);
    EXPECT_EQ(r.u16(1), 0x0302);
    EXPECT_THROW(r.u32(0), std::out_of_range);
    EXPECT_THROW(r.u16(static_cast<std::size_t>(-1)), std::out_of_range);
}
