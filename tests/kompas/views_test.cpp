#include "script.h"

#include "text/cp1251.h"

using namespace qm;
using namespace qm::kompas;
using namespace qm::kompas::test;

namespace {

using ViewsTest = ScriptTest;

std::vector<std::string> withTracer(const std::string& line) {
    return {"FUNCTION F(X);", "PRINTF(X);", "RETURN X;", "END;", line};
}

} // namespace

// Argument 7 (the name) is fetched after argument 8 and travels first, as the parameter text.
TEST_F(ViewsTest, SheetView) {
    run(withTracer(
        ru(u8"KSCREATESHEETVIEW(F(70000), F(2), F(3), F(4), F(5), F(-6), F('Вид'), F(8));")));
    std::string order;
    for (const auto& l : host.text)
        order += l + " ";
    EXPECT_EQ(order, ru(u8"70000 2 3 4 5 -6 8 Вид "));
    auto s = sent();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].id, 1426u);
    EXPECT_EQ(s[0].bytes, (Bytes{0xC2, 0xE8, 0xE4, 0}));
    EXPECT_EQ(s[1].id, 1475u);
    Bytes expected(42, 0);
    put<std::uint16_t>(expected, 0, 4464); // the low 16 bits of 70000
    for (int i = 0; i < 4; ++i)
        put<double>(expected, 2 + 8 * i, i + 2);
    put<std::int32_t>(expected, 34, -6);
    put<std::int32_t>(expected, 38, 8);
    EXPECT_EQ(s[1].bytes, expected);
}

// A 4-byte record travels in one chunk: wParam holds the value, lParam is 0.
TEST_F(ViewsTest, ViewNumberAndGroup) {
    run({"KSOPENVIEW(-2);", "KSNEWGROUP(255);", "KSENDGROUP;"});
    EXPECT_EQ(capture.messages, (std::vector<Message>{{1125, 0, 4, {}},
                                                      {1126, 0xFFFFFFFE, 0, {}},
                                                      {1476, 0, 0, {}},
                                                      {1125, 0, 4, {}},
                                                      {1126, 255, 0, {}},
                                                      {1525, 0, 0, {}},
                                                      {1125, 0, 0, {}},
                                                      {1526, 0, 0, {}}}));
}

TEST_F(ViewsTest, CheckedConversionsFail) {
    for (const char* line :
         {"KSNEWGROUP(256);", "KSNEWGROUP(-1);", "KSOPENVIEW(2147483648.0);",
          "KSMOVEOBJ('r', 1, 2);", "KSCREATESHEETVIEW(1, 0, 0, 1, 0, 0, 'a', 'b');"})
        expectRefused({line});
}

// The reference comes from KSGETREF and is passed through; the last byte keeps the low 8 bits.
TEST_F(ViewsTest, Transformations) {
    capture.answer = [](std::uint32_t id) { return id == 1176 ? -7 : 0; };
    run({"KSLINESEG(0, 0, 1, 1, 1);", "R=KSGETREF;", "KSMOVEOBJ(R, 1, 2);",
         "KSROTATEOBJ(R, 1, 2, 3);", "KSCOPYOBJ(R, 1, 2, 3, 4, 5, 6);",
         "KSSYMMETRYOBJ(R, 0, 0, 0, 100, 257);"});
    auto s = sent();
    ASSERT_EQ(s.size(), 5u);
    struct Case {
        std::uint32_t id;
        std::size_t size;
        int numbers;
    } cases[] = {{1575, 20, 2}, {1576, 28, 3}, {1577, 52, 6}, {1578, 37, 4}};
    for (int c = 0; c < 4; ++c) {
        const Sequence& q = s[c + 1];
        EXPECT_EQ(q.id, cases[c].id);
        EXPECT_EQ(q.count, cases[c].size);
        EXPECT_EQ(at<std::int32_t>(q.bytes, 0), -7);
        if (c == 3) continue;
        for (int i = 0; i < cases[c].numbers; ++i)
            EXPECT_EQ(at<double>(q.bytes, 4 + 8 * i), i + 1);
    }
    EXPECT_EQ(at<double>(s[4].bytes, 28), 100);
    EXPECT_EQ(s[4].bytes[36], 1);
}

TEST_F(ViewsTest, TransformationsFetchFirstToLast) {
    run(withTracer("KSSYMMETRYOBJ(F(1), F(2), F(3), F(4), F(5), F(6));"));
    std::string order;
    for (const auto& l : host.text)
        order += l;
    EXPECT_EQ(order, "123456");
}
