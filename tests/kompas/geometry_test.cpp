#include "script.h"

#include "text/cp1251.h"

using namespace qm;
using namespace qm::kompas;
using namespace qm::kompas::test;

namespace {

using GeometryTest = ScriptTest;

// A function that prints its argument, to see the order in which arguments are fetched.
const std::vector<std::string> tracer = {"FUNCTION F(X);", "PRINTF(X);", "RETURN X;", "END;"};

std::vector<std::string> withTracer(const std::string& line) {
    auto lines = tracer;
    lines.push_back(line);
    return lines;
}

} // namespace

// The whole message stream, hand-computed: 100.0 = 0x4059000000000000, 50.0 = 0x4049000000000000.
TEST_F(GeometryTest, SegmentMessagesByteForByte) {
    run({"KSLINESEG(0, 0, 100, 50, 1);"});
    EXPECT_EQ(capture.messages, (std::vector<Message>{{1125, 0, 36, {}},
                                                      {1126, 0, 0, {}},
                                                      {1126, 0, 0, {}},
                                                      {1126, 0, 0x40590000, {}},
                                                      {1126, 0, 0x40490000, {}},
                                                      {1126, 1, 0, {}},
                                                      {1176, 0, 0, {}}}));
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(GeometryTest, MissingArgumentsRepeatTheLast) {
    run({"KSLINESEG(1, 2, 3);"});
    auto s = sent();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(at<double>(s[0].bytes, 0), 1);
    EXPECT_EQ(at<double>(s[0].bytes, 8), 2);
    EXPECT_EQ(at<double>(s[0].bytes, 16), 3);
    EXPECT_EQ(at<double>(s[0].bytes, 24), 3);
    EXPECT_EQ(at<std::uint32_t>(s[0].bytes, 32), 3u);
}

TEST_F(GeometryTest, StylesRoundHalfToEven) {
    run({"ksCircle(10, 10, 5, 1.5);", "KSCIRCLE(10, 10, 5, 2.5);", "KSCIRCLE(10, 10, 5, 2.51);"});
    auto s = sent();
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].id, 1177u);
    EXPECT_EQ(s[0].count, 28u);
    EXPECT_EQ(at<double>(s[0].bytes, 16), 5);
    EXPECT_EQ(at<std::uint32_t>(s[0].bytes, 24), 2u);
    EXPECT_EQ(at<std::uint32_t>(s[1].bytes, 24), 2u);
    EXPECT_EQ(at<std::uint32_t>(s[2].bytes, 24), 3u);
}

// A failed conversion sends nothing, is a statement error and ends the run.
TEST_F(GeometryTest, ConversionErrorsSendNothing) {
    const char* cases[] = {
        "KSCIRCLE(10, 10, 5, -1);",          // negative style
        "KSLINE('abc', 1, 2);",              // a text that is no number
        "KSARCBYANGLE(0,0,1,0,90,32768,1);", // direction beyond 16 bits
        "KSHATCH(65536, 0, 1, 0, 0, 0);",    // style beyond 16 bits
        "KSHATCHP(-1, 0, 1, 0, 0, 0, 0, 0);",
        "KSSTEXT(0, 0, 0, 5, 1, -1, 'x');", // a negative bit flag
        "KSLINESEG(0, 0, 1, 1, 4294967296.0);",
    };
    for (const char* line : cases) expectRefused({line, "KSENDOBJ;"});
}

TEST_F(GeometryTest, IntegerFieldLimits) {
    run({"KSARCBYANGLE(1, 2, 3, 4, 5, -32768, 4294967295.0);", "KSHATCH(65535, 1, 2, 3, 4, 5);",
         "KSHATCHP(65535, 1, 2, 3, 4, 5, 6, 7);"});
    auto s = sent();
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].count, 48u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(at<double>(s[0].bytes, 8 * i), i + 1);
    EXPECT_EQ(at<std::int32_t>(s[0].bytes, 40), -32768); // sign-extended
    EXPECT_EQ(at<std::uint32_t>(s[0].bytes, 44), 4294967295u);
    EXPECT_EQ(s[1].count, 44u);
    EXPECT_EQ(at<std::uint32_t>(s[1].bytes, 0), 65535u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(at<double>(s[1].bytes, 4 + 8 * i), i + 1);
    EXPECT_EQ(s[2].count, 58u);
    EXPECT_EQ(at<std::uint16_t>(s[2].bytes, 0), 65535u);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(at<double>(s[2].bytes, 2 + 8 * i), i + 1);
}

// The geometry commands fetch their arguments from the last to the first.
TEST_F(GeometryTest, EvaluationOrder) {
    struct Case {
        const char* line;
        const char* order;
    } cases[] = {
        {"KSLINESEG(F(1), F(2), F(3), F(4), F(5));", "54321"},
        {"KSLINE(F(1), F(2), F(3));", "321"},
        {"KSCIRCLE(F(1), F(2), F(3), F(4));", "4321"},
        {"KSARCBYANGLE(F(1), F(2), F(3), F(4), F(5), F(1), F(7));", "7154321"},
        {"KSHATCH(F(1), F(2), F(3), F(4), F(5), F(6));", "654321"},
        {"KSHATCHP(F(1), F(2), F(3), F(4), F(5), F(6), F(7), F(8));", "87654321"},
        {"KSSTEXT(F(1), F(2), F(3), F(4), F(5), F(6), F(7));", "7654321"},
        {"KSSETKOMPASPARAMSTRING(F(1), F(2), F(3));", "123"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        host.text.clear();
        run(withTracer(c.line));
        std::string order;
        for (const auto& l : host.text)
            order += l;
        EXPECT_EQ(order, c.order);
        EXPECT_TRUE(host.errors.empty());
    }
}

// The text travels first as the parameter text; KSGETREF then gives the answer to 1425.
TEST_F(GeometryTest, SimpleText) {
    capture.answer = [](std::uint32_t id) { return id == 1425 ? 31 : id == 1426 ? 1 : 0; };
    run({ru(u8"KSSTEXT(0, 0, 0, 5, 1, 0, 'Вал');"), "R=KSGETREF;", "PRINTF(R);"});
    auto s = sent();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].id, 1426u);
    EXPECT_EQ(s[0].count, 4u);
    EXPECT_EQ(s[0].bytes, (Bytes{0xC2, 0xE0, 0xEB, 0})); // Вал in Windows-1251
    EXPECT_EQ(s[1].id, 1425u);
    EXPECT_EQ(s[1].count, 44u);
    EXPECT_EQ(at<double>(s[1].bytes, 24), 5);
    EXPECT_EQ(at<double>(s[1].bytes, 32), 1);
    EXPECT_EQ(host.text, (StringList{"31"}));
}

TEST_F(GeometryTest, ParameterText) {
    run({"KSSETKOMPASPARAMSTRING('A', 'BC');", "KSSETKOMPASPARAMSTRING();",
         "KSSETKOMPASPARAMSTRING('A', '');"});
    auto s = sent();
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].id, 1426u);
    EXPECT_EQ(s[0].bytes, (Bytes{'A', 10, 'B', 'C', 0}));
    EXPECT_EQ(s[1].bytes, Bytes{0});
    EXPECT_EQ(s[2].bytes, (Bytes{'A', 10, 0})); // only the final line feed goes
    EXPECT_EQ(link.textBuffer(), "A\n");
}

// Numbers become text with the user's decimal separator.
TEST_F(GeometryTest, ParameterTextNumbersUseTheUsersSeparator) {
    st.decimalSeparator = ',';
    run({"KSSETKOMPASPARAMSTRING(5, 2.5);", "KSLINE('1,5', 0, 0);"});
    auto s = sent();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].bytes, (Bytes{'5', 10, '2', ',', '5', 0}));
    EXPECT_EQ(at<double>(s[1].bytes, 0), 1.5);
}

TEST_F(GeometryTest, EndObjectHasNoRecord) {
    run({"KSENDOBJ;", "KSENDOBJ();", "ksEndObj(1, 2);"});
    std::vector<Message> one = {{1125, 0, 0, {}}, {1181, 0, 0, {}}};
    std::vector<Message> three = one;
    three.insert(three.end(), one.begin(), one.end());
    three.insert(three.end(), one.begin(), one.end());
    EXPECT_EQ(capture.messages, three);
}

// Empty parentheses: every argument is an empty value (which sets the stop flag) and the record
// goes with zeros.
TEST_F(GeometryTest, EmptyParenthesesSendZeros) {
    for (const char* line : {"KSCIRCLE();", "KSCIRCLE;"}) {
        capture.messages.clear();
        run({line});
        auto s = sent();
        ASSERT_EQ(s.size(), 1u) << line;
        EXPECT_EQ(s[0].id, 1177u);
        EXPECT_EQ(s[0].bytes, Bytes(28, 0));
        EXPECT_TRUE(st.stopped);
    }
}

TEST_F(GeometryTest, MessagesCarryTheStatementsOrigin) {
    run({"X = 1;", "KSLINE(1, 2, 3);"});
    ASSERT_FALSE(capture.messages.empty());
    for (const auto& m : capture.messages) {
        EXPECT_EQ(m.origin.section, "main");
        EXPECT_EQ(m.origin.line, 2);
    }
}
