#include "test_host.h"

#include "interp/convert.h"
#include "interp/errors.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {

struct Evaluator {
    test::TestHost host;
    CCompil st{host};
    explicit Evaluator(char sep = '.') {
        st.decimalSeparator = sep;
        st.frames.emplace_back();
    }
    // kind tag and value as text, e.g. "число:3.5"
    std::string eval(const char* expr) {
        CParamVar v = evaluateExpression(st, normaliseStatement(ru(expr)));
        std::string kind = v.value.type == Variant::Type::Int      ? "int:"
                           : v.value.type == Variant::Type::Double ? "double:"
                                                                   : "";
        return cp1251ToUtf8(kindName(v.type)) + ":" + kind + cp1251ToUtf8(toText(v.value, '.'));
    }
    std::string cond(const char* text) {
        return evaluateCondition(st, normaliseStatement(ru(text)));
    }
};

} // namespace

TEST(Evaluator, ArithmeticAndStrings) {
    struct Case {
        const char* expr;
        const char* result;
    } cases[] = {
        {"2+3*4", "число:int:14"},
        {"(2+3)*4", "число:int:20"},
        {"10-2-3", "число:int:5"},
        {"-5+2", "число:int:-3"},
        {"7/2", "число:double:3.5"},
        {"6/2", "число:double:3"},
        {"2*3", "число:int:6"},
        {"1.5*2", "число:double:3"},
        {"2*-3", "число:int:-1"},
        {"2 3", "число:int:2"},
        {"2*3 4", "число:int:24"},
        {"2*3+4 5", "число:int:26"},
        {"'ab'+'cd'", "строка:abcd"},
        {"'L='+5", "строка:L="},
        {"'it`s'", "строка:it's"},
        {"PI", "число:double:3.14159265358979"},
        {"(1)AND(0)", "число:int:1"},
        {"((((1))))", "число:int:1"},
        {"2147483647+1", "число:double:2147483648"},
        {"-(-2147483647-1)", "число:double:2147483648"},
        {"46341*46341", "число:double:2147488281"},
        {"(1+2", "число:int:3"},
        {"1+2)", "число:int:3"},
        {"'123", "строка:"},
        {"2--3", "число:int:2"},
        {"+4", "число:int:4"},
    };
    for (const auto& c : cases) {
        Evaluator e;
        EXPECT_NO_THROW(EXPECT_EQ(e.eval(c.expr), c.result) << c.expr) << c.expr;
    }
}

TEST(Evaluator, EmptyListSetsTheStopFlag) {
    Evaluator e;
    EXPECT_EQ(e.eval("()"), "число:int:0");
    EXPECT_TRUE(e.st.stopped);
}

TEST(Evaluator, Conditions) {
    struct Case {
        const char* text;
        const char* result;
    } cases[] = {
        {"(2>1)AND(1<2)", "TRUE"},
        {"(2>1)AND(1>2)", "FALSE"},
        {"(1=1)OR(1=2)", "TRUE"},
        {"((2>1))", "TRUE"},
        {"2>1", "TRUE"},
        {"2==2", "TRUE"},
        {"(1>2)=(3>4)", "TRUE"},
        {"'x'", "TRUE"},
        {"''", "FALSE"},
        {"1<1.00000000000001", "FALSE"},
        {"1<=1", "TRUE"},
        {"'abc'='abc'", "TRUE"},
        {"'abc'<='abd'", "TRUE"},
        {"'abd'>='abc'", "TRUE"},
        {"'a'<>'b'", "TRUE"},
        {"0", "FALSE"},
        {"2-2", "FALSE"},
        {"'10'>9", "TRUE"},
        {"'\xd1\x8f'>='a'", "TRUE"}, // bytes compare unsigned: я (0xFF) after a
    };
    for (const auto& c : cases) {
        Evaluator e;
        EXPECT_EQ(e.cond(c.text), c.result) << c.text;
    }
}

TEST(Evaluator, Errors) {
    const char* cases[] = {"1.2.3",           "3000000000", "Q",      "PI2",     "1/0",
                           "'a'*2+X",         "SQRT(-1)",   "LOG(0)", "ASIN(2)", "NUMTOSTR('abc')",
                           "SUBSTR('abc',1)", "EXP(1000)",  "["};
    for (const char* c : cases) {
        Evaluator e;
        EXPECT_THROW(e.eval(c), EvalError) << c;
    }
    for (const char* c : {"'abc'<'abd'", "'x'>1", "F>1"}) {
        Evaluator e;
        EXPECT_THROW(e.cond(c), EvalError) << c;
    }
}

TEST(Evaluator, UserDecimalSeparator) {
    Evaluator comma(',');
    EXPECT_EQ(comma.eval("'2,5'*1"), "строка:2,5"); // a string expression ignores numbers
    EXPECT_EQ(comma.eval("NUMTOSTR('2.5')+0"), "число:double:2.5");
    EXPECT_EQ(comma.cond("'2,5'=2.5"), "TRUE");
    EXPECT_EQ(comma.eval("STR(2.5)"), "строка:2.5");
    EXPECT_EQ(comma.eval("SIZE(2.25)"), "число:int:4");
    Evaluator point('.');
    EXPECT_THROW(point.cond("'2,5'=2.5"), EvalError);
}

TEST(Conversions, RoundHalfEvenAndText) {
    struct Case {
        double in;
        int out;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-1.5, -2}, {-0.5, 0}, {2.6, 3}, {-2.6, -3}};
    for (const auto& c : cases)
        EXPECT_EQ(toInt(Variant::ofDouble(c.in), '.'), c.out) << c.in;
    EXPECT_EQ(toInt(Variant::ofText("2,5"), ','), 2);
    EXPECT_EQ(toInt(Variant{}, '.'), 0);
    EXPECT_THROW(toInt(Variant::ofDouble(3e9), '.'), EvalError);
    EXPECT_EQ(toText(Variant::ofDouble(-0.125), ','), "-0,125");
    EXPECT_EQ(toText(Variant::ofInt(-7), ','), "-7");
}
