#include "script.h"

using namespace qm;
using namespace qm::kompas;
using namespace qm::kompas::test;

namespace {

using DimensionsTest = ScriptTest;

Bytes textBytes(const std::string& s) {
    return Bytes(s.begin(), s.end() + 1);
}

// The geometry of KSLINDIMENSION(0, 50, 50, 70, 60, 0, -20, 1) at offsets 40..89.
void putLinearGeometry(Bytes& b) {
    const double v[] = {50, 50, 70, 60, 0, -20};
    for (int i = 0; i < 6; ++i)
        put<double>(b, 41 + 8 * i, v[i]);
    b[89] = 1;
}

} // namespace

TEST_F(DimensionsTest, LinearShortcutSendsFourSequences) {
    run({"KSLINDIMENSION_LT(0, 50, 50, 70, 60, 0, -20, 1, 0);"});
    auto s = sent();
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].id, 1225u);
    EXPECT_EQ(s[0].count, 13u);
    EXPECT_EQ(s[0].bytes, textBytes("_AUTONOMINAL"));
    EXPECT_EQ(s[1].id, 1226u);
    EXPECT_EQ(s[1].bytes, Bytes(15, 0));
    Bytes drawing(25, 0);
    drawing[2] = drawing[3] = 1;
    EXPECT_EQ(s[2].id, 1227u);
    EXPECT_EQ(s[2].bytes, drawing);
    Bytes whole(90, 0);
    whole[17] = whole[18] = 1;
    putLinearGeometry(whole);
    EXPECT_EQ(s[3].id, 1325u);
    EXPECT_EQ(s[3].bytes, whole);
    // Count, 2 chunks, command; 15 bytes: 2 chunks; 25: 4; 90: 12.
    EXPECT_EQ(capture.messages.size(), 4u + 4u + 6u + 14u);
}

TEST_F(DimensionsTest, LinearDimensionCarriesOnlyGeometry) {
    run({"KSLINDIMENSION(0, 50, 50, 70, 60, 0, -20, 1);",
         "KSLINDIMENSION(256, 50, 50, 70, 60, 0, -20, 257);"});
    auto s = sent();
    ASSERT_EQ(s.size(), 2u);
    Bytes whole(90, 0);
    putLinearGeometry(whole);
    EXPECT_EQ(s[0].id, 1325u);
    EXPECT_EQ(s[0].bytes, whole);
    EXPECT_EQ(s[1].bytes, whole); // 256 -> 0, 257 -> 1: only the low byte is stored
}

TEST_F(DimensionsTest, ShortcutConversionsAreChecked) {
    for (const char* line :
         {"KSLINDIMENSION_LT(256, 50, 50, 70, 60, 0, -20, 1, 0);",
          "KSLINDIMENSION_LT(0, 50, 50, 70, 60, 0, -20, -1, 0);",
          "KSLINDIMENSION_LT(0, 50, 50, 70, 60, 0, -20, 1, -1);",
          "KSANGDIMENSION_LT(0, 0, 10, 0, 90, 1, 0, 0, 0, 0, -3);",
          "KSDIAMDIMENSION_LT(0, 0, 10, 45, -1);", "KSRADDIMENSION_LT(0, 0, 'x', 45, 1);"})
        expectRefused({line});
}

TEST_F(DimensionsTest, AngularShortcutAndItsResult) {
    capture.answer = [](std::uint32_t id) { return static_cast<std::int32_t>(id) * 2; };
    run({"KSANGDIMENSION_LT(1, 2, 3, 4, 5, -1, 7, 8, 9, 10, 3000000000.0);", "PRINTF(KSGETREF);"});
    auto s = sent();
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].bytes, textBytes("_AUTONOMINAL_PREFIX_TOLERANCE_DEVIATION_UNIT"));
    Bytes text(15, 0);
    put<std::uint32_t>(text, 2, 3000000000u);
    put<std::int32_t>(text, 6, 1);
    EXPECT_EQ(s[1].id, 1226u);
    EXPECT_EQ(s[1].bytes, text);
    Bytes drawing(25, 0);
    drawing[2] = drawing[3] = 1;
    EXPECT_EQ(s[2].id, 1227u);
    EXPECT_EQ(s[2].bytes, drawing);
    Bytes whole(116, 0);
    std::copy(text.begin(), text.end(), whole.begin());
    std::copy(drawing.begin(), drawing.end(), whole.begin() + 15);
    for (int i = 0; i < 5; ++i)
        put<double>(whole, 40 + 8 * i, i + 1);
    put<std::int32_t>(whole, 80, -1);
    for (int i = 0; i < 4; ++i)
        put<double>(whole, 84 + 8 * i, i + 7);
    EXPECT_EQ(s[3].id, 1326u);
    EXPECT_EQ(s[3].bytes, whole);
    EXPECT_EQ(host.text, (StringList{"2652"})); // the answer to 1326, not to 1225..1227
}

TEST_F(DimensionsTest, CircleShortcuts) {
    run({"KSDIAMDIMENSION_LT(10, 20, 5, 45, 1);", "KSRADDIMENSION_LT(10, 20, 5, 45, 3);"});
    auto s = sent();
    ASSERT_EQ(s.size(), 8u);
    for (int d = 0; d < 2; ++d) {
        const Sequence* q = &s[4 * d];
        EXPECT_EQ(q[0].bytes, textBytes("_AUTONOMINAL_PREFIX_TOLERANCE_DEVIATION_UNIT"));
        Bytes text(15, 0);
        put<std::int32_t>(text, 2, d == 0 ? 1 : 3);
        put<std::int32_t>(text, 6, 1);
        EXPECT_EQ(q[1].bytes, text);
        Bytes drawing(18, 0);
        drawing[0] = drawing[1] = 1;
        put<double>(drawing, 10, 45);
        EXPECT_EQ(q[2].id, 1228u);
        EXPECT_EQ(q[2].bytes, drawing);
        Bytes whole(57, 0);
        std::copy(text.begin(), text.end(), whole.begin());
        std::copy(drawing.begin(), drawing.end(), whole.begin() + 15);
        put<double>(whole, 33, 10);
        put<double>(whole, 41, 20);
        put<double>(whole, 49, 5);
        EXPECT_EQ(q[3].id, d == 0 ? 1327u : 1328u);
        EXPECT_EQ(q[3].bytes, whole);
    }
}

TEST_F(DimensionsTest, PartSettingCommands) {
    run({"KSSETSTRUCTDIMTEXT_BITFLAG('_PREFIX_SUFFIX');", "KSSETSTRUCTDIMTEXT(65537, 77);",
         "KSSETSTRUCTDIMDRAWING(1, 256, -1, 3, -4, 259, -1, 12.5, 10);",
         "KSSETSTRUCTRDIMDRAWING(257, 2, -3, 4, 30);",
         "KSSETSTRUCTRBREAKDIMDRAWING(-1, 2.5, -3);"});
    auto s = sent();
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0].id, 1225u);
    EXPECT_EQ(s[0].bytes, textBytes("_PREFIX_SUFFIX"));
    Bytes text(15, 0);
    text[0] = 1, text[2] = 77;
    EXPECT_EQ(s[1].bytes, text);
    Bytes drawing(25, 0);
    drawing[0] = 1, drawing[1] = 0, drawing[2] = 255, drawing[3] = 3;
    put<std::int32_t>(drawing, 4, -4);
    drawing[8] = 3;
    put<std::int32_t>(drawing, 9, -1);
    put<double>(drawing, 13, 12.5);
    put<std::int32_t>(drawing, 21, 10);
    EXPECT_EQ(s[2].bytes, drawing);
    Bytes radial(18, 0);
    radial[0] = 1, radial[1] = 2;
    put<std::int32_t>(radial, 2, -3);
    put<std::int32_t>(radial, 6, 4);
    put<double>(radial, 10, 30);
    EXPECT_EQ(s[3].id, 1228u);
    EXPECT_EQ(s[3].bytes, radial);
    Bytes brk(13, 0);
    brk[0] = 255;
    put<double>(brk, 1, 2.5);
    put<std::int32_t>(brk, 9, -3);
    EXPECT_EQ(s[4].id, 1229u);
    EXPECT_EQ(s[4].bytes, brk);
}

TEST_F(DimensionsTest, Roughness) {
    run({"KSROUGH(0, 0, 10, 20, 90, 1, 0, 0, 1, 0, 0, 0);",
         "KSROUGH(2, 1, 0, 0, 0, 257, 258, 3, 1, -1, 45.5, 12);"});
    auto s = sent();
    ASSERT_EQ(s.size(), 2u);
    Bytes first(46, 0);
    put<double>(first, 2, 10);
    put<double>(first, 10, 20);
    put<double>(first, 18, 90);
    first[26] = 1, first[29] = 1;
    EXPECT_EQ(s[0].id, 1330u);
    EXPECT_EQ(s[0].bytes, first);
    Bytes second(46, 0);
    second[0] = 2, second[1] = 1, second[26] = 1, second[27] = 2, second[28] = 3, second[29] = 1;
    put<std::int32_t>(second, 30, -1);
    put<double>(second, 34, 45.5);
    put<std::int32_t>(second, 42, 12);
    EXPECT_EQ(s[1].bytes, second);
}

TEST_F(DimensionsTest, RoughnessSignAndContourAreChecked) {
    for (const char* line : {"KSROUGH(256, 0, 10, 20, 90, 1, 0, 0, 1, 0, 0, 0);",
                             "KSROUGH(0, -1, 10, 20, 90, 1, 0, 0, 1, 0, 0, 0);"})
        expectRefused({line});
}

TEST_F(DimensionsTest, OtherDimensions) {
    run({"KSANGDIMENSION(1, 2, 3, 4, 5, 1, 7, 8, 9, 10);", "KSDIAMDIMENSION(10, 20, 5);",
         "KSRADDIMENSION(1, 2, 3);", "KSRADBREAKDIMENSION(5, 6, 7);"});
    auto s = sent();
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].count, 116u);
    EXPECT_EQ(Bytes(s[0].bytes.begin(), s[0].bytes.begin() + 40), Bytes(40, 0));
    EXPECT_EQ(at<std::int32_t>(s[0].bytes, 80), 1);
    EXPECT_EQ(at<double>(s[0].bytes, 108), 10);
    Bytes diam(57, 0);
    put<double>(diam, 33, 10);
    put<double>(diam, 41, 20);
    put<double>(diam, 49, 5);
    EXPECT_EQ(s[1].id, 1327u);
    EXPECT_EQ(s[1].bytes, diam);
    EXPECT_EQ(s[2].id, 1328u);
    EXPECT_EQ(at<double>(s[2].bytes, 49), 3);
    Bytes brk(52, 0);
    put<double>(brk, 0, 5);
    put<double>(brk, 8, 6);
    put<double>(brk, 16, 7);
    EXPECT_EQ(s[3].id, 1329u);
    EXPECT_EQ(s[3].bytes, brk);
}

TEST_F(DimensionsTest, DimensionsFetchFirstToLast) {
    run({"FUNCTION F(X);", "PRINTF(X);", "RETURN X;", "END;",
         "KSROUGH(F(1), F(2), F(3), F(4), F(5), F(6), F(7), F(8), F(9), F(10), F(11), F(12));"});
    std::string order;
    for (const auto& l : host.text)
        order += l + " ";
    EXPECT_EQ(order, "1 2 3 4 5 6 7 8 9 10 11 12 ");
}
