// LIMITKVALITET and DIMTOSTR inside programs: results, messages, errors and evaluation order.
#include "fits/script_functions.h"

#include "text/cp1251.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

// Keeps what a run shows, in UTF-8.
struct Recorder : Host {
    StringList text, tech, messages, causes;
    StringList& panel(PanelId id) override { return id == PanelId::Text ? text : tech; }
    void showMessage(const std::string& t) override { messages.push_back(cp1251ToUtf8(t)); }
    void statementError(const std::string& m, const SourceLocation&,
                        const std::string& cause) override {
        messages.push_back(cp1251ToUtf8(m));
        causes.push_back(cp1251ToUtf8(cause));
    }
};

struct Session {
    Recorder host;
    CCompil st{host};
    CDopuski dopuski;
    explicit Session(char separator = '.') {
        st.decimalSeparator = separator;
        installFitsFunctions(st, dopuski);
    }
    // Runs the lines; returns the text panel in UTF-8.
    StringList run(std::initializer_list<const char*> lines) {
        ProgramText p;
        int n = 0;
        for (const char* l : lines)
            p.add(ru(l), {ru("основной код"), ++n});
        st.runProgram(p);
        StringList out;
        for (const auto& l : host.text)
            out.push_back(cp1251ToUtf8(l));
        return out;
    }
};

TEST(FitsScript, Designations) {
    Session s;
    EXPECT_EQ(
        s.run({"PRINTF(DIMTOSTR(50,'h',7));", "PRINTF(DIMTOSTR(50,'H',7));",
               "PRINTF(DIMTOSTR(50,'js',7));", "PRINTF(DIMTOSTR(50,'f',7));",
               "d=25; f='k'; PRINTF(DIMTOSTR(d*2,f,3+3));", "PRINTF(DIMTOSTR(12.5,'h',-1));",
               "PRINTF(DIMTOSTR(50,'h',6.5));", "PRINTF(DIMTOSTR(50,'h','7'));"}),
        (StringList{"50h7(-0.025)", "50H7(+0.025)", "50js7(+/-0.0125)", "50f7(-0.025/-0.05)",
                    "50k6(+0.018/+0.002)", "12.5h01(-0.0005)", "50h6(-0.016)", "50h7(-0.025)"}));
    EXPECT_TRUE(s.host.messages.empty());
    EXPECT_EQ(s.dopuski.designation, "50h7(-0.025)"); // the shared object keeps the last one
}

TEST(FitsScript, GradeByTolerance) {
    Session s;
    EXPECT_EQ(s.run({"PRINTF(LIMITKVALITET(100,0.08));", "PRINTF(LIMITKVALITET(100,0.054));",
                     "PRINTF(LIMITKVALITET(100,0.0539));", "PRINTF(LIMITKVALITET(100,0.001));",
                     "PRINTF(LIMITKVALITET(100,0.0001));", "PRINTF(LIMITKVALITET(100,4)+1);"}),
              (StringList{"8", "8", "7", "-1", "-2", "18"}));
}

TEST(FitsScript, MessagesAreShownOnceAndTheRunGoesOn) {
    Session s;
    EXPECT_EQ(s.run({"PRINTF(DIMTOSTR(10,'t',7));", "PRINTF(DIMTOSTR(100,'не определено',14));",
                     "PRINTF(DIMTOSTR(0.5,'h',7));", "PRINTF(DIMTOSTR(-3,'h',7));"}),
              (StringList{"10t7(+/-0)", "не определено", "0.5h7(+/-0)", "не определено"}));
    EXPECT_EQ(
        s.host.messages,
        (StringList{"Для номинала  10 поле допуска t не существует\nПроверте исходные данные",
                    "Поле не определено", "Значение 0.5 меньше допустимого, допуск не определен",
                    "Значение -3 меньше допустимого, допуск не определен"}));
}

// Numbers written as texts are read with the user's decimal separator.
TEST(FitsScript, UserDecimalSeparator) {
    Session s(',');
    EXPECT_EQ(s.run({"PRINTF(DIMTOSTR('50,5','h',7));", "PRINTF(LIMITKVALITET('100','0,08'));"}),
              (StringList{"50.5h7(-0.03)", "8"}));
}

TEST(FitsScript, MissingPiecesAndBadGradesStopTheRun) {
    const char* programs[] = {"x=DIMTOSTR(50,'h');",
                              "x=DIMTOSTR(50);",
                              "x=DIMTOSTR();",
                              "x=LIMITKVALITET(100);",
                              "x=DIMTOSTR(50,'h',18);",
                              "x=DIMTOSTR(50,'h',-2);",
                              "x=DIMTOSTR('abc','h',7);",
                              "x=LIMITKVALITET(100,'abc');"};
    for (const char* program : programs) {
        Session s;
        EXPECT_EQ(s.run({program, "PRINTF('never');"}), StringList{}) << program;
        ASSERT_EQ(s.host.messages.size(), 1u) << program;
        EXPECT_EQ(s.host.messages[0].rfind("Ошибка при выполнении выражения", 0), 0u) << program;
    }
    Session s;
    s.run({"x=DIMTOSTR(50,'h',18);"});
    ASSERT_EQ(s.host.causes.size(), 1u);
    EXPECT_NE(s.host.causes[0].find("Квалитет 18 не определен"), std::string::npos)
        << s.host.causes[0];
}

// The pieces are evaluated grade, field, nominal and tolerance, nominal (seen through user
// functions that print).
TEST(FitsScript, EvaluationOrder) {
    Session s;
    EXPECT_EQ(
        s.run({"function gn; printf('grade'); return 7; end;",
               "function fn; printf('field'); return 'h'; end;",
               "function nn; printf('nominal'); return 50; end;",
               "function tn; printf('tolerance'); return 0.08; end;", "x=DIMTOSTR(nn,fn,gn);",
               "printf(x);", "y=LIMITKVALITET(nn,tn);", "printf(y);"}),
        (StringList{"grade", "field", "nominal", "50h7(-0.025)", "tolerance", "nominal", "9"}));
}

} // namespace
} // namespace qm
