#include "project/declarations.h"
#include "project/parameters.h"
#include "project/pipeline.h"

#include "test_host.h"

#include <cfloat>

using namespace qm;
using namespace qm::test;

namespace {

TableRow row(const char* type, const std::string& name, const std::string& value) {
    return {ru(type), name, value, ""};
}

const CNameVar* global(const CCompil& c, const std::string& name) {
    for (const auto& v : c.frames.at(0).vars)
        if (v.name == name) return &v;
    return nullptr;
}

const CNameArr* globalArray(const CCompil& c, const std::string& name) {
    for (const auto& a : c.frames.at(0).arrays)
        if (a.name == name) return &a;
    return nullptr;
}

double numberOf(const Variant& v) {
    return v.type == Variant::Type::Int ? v.i : v.d;
}

} // namespace

TEST(AssembleProgram, DeclarationsThenUnitsFromElevenDownThenTheMainCode) {
    ProjectDocument doc;
    doc.table.rows = {row(u8"число", "D", "50")};
    doc.vizor.project.code[0] = {"main1;", "main2;"};
    doc.vizor.project.code[1] = {"u1;"};
    doc.vizor.project.code[3] = {"u3a;", "u3b;"};
    prepareDeclarations(doc);
    assembleProgram(doc.vizor);
    const ProgramText& p = doc.vizor.programText;
    EXPECT_EQ(p.lines, (StringList{"D=50; //", declarationMarker(), "", "implementation", "u3a;",
                                   "u3b;", "u1;", "main1;", "main2;"}));
    ASSERT_EQ(p.origins.size(), p.lines.size());
    EXPECT_EQ(cp1251ToUtf8(p.origins[0].section), u8"объявления");
    EXPECT_EQ(p.origins[3].line, 4);
    EXPECT_EQ(p.origins[5].section, "Unit3");
    EXPECT_EQ(p.origins[5].line, 2);
    EXPECT_EQ(p.origins[6].section, "Unit1");
    EXPECT_EQ(cp1251ToUtf8(p.origins[8].section), u8"основной код");
    EXPECT_EQ(p.origins[8].line, 2);
}

TEST(RunProject, ParametersOfEveryKindBecomeGlobals) {
    ProjectDocument doc;
    doc.table.rows = {row(u8"число", "D", "2,5"), row(u8"строка", "M", "O'Brien's // steel; 45"),
                      row(u8"размер", "d1", "40js6"), row(u8"размер", "d2", "50(+0.025/-0.01)"),
                      row(u8"шероховатость", "R", "Rz20")};
    doc.vizor.project.code[0] = {"PRINTF(M);", "PRINTF(D1[1]+STR(D1[2]));", "PRINTF(STR(D2[4]));",
                                 "PRINTF(R[0]+STR(R[1]));"};
    TestHost host;
    CCompil compil(host);
    ResultWindow result;
    runProject(doc, compil, result);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front();
    EXPECT_EQ(host.text, (StringList{"O'Brien's // steel; 45", "js6", "-0.01", "Rz20"}));
    EXPECT_EQ(numberOf(global(compil, "D")->value), 2.5);
    EXPECT_EQ(globalArray(compil, "D1")->elements.size(), 5u);
    EXPECT_EQ(globalArray(compil, "R")->elements.size(), 2u);
}

// Every number a cell can hold reaches the program as exactly the value of the cell.
TEST(RunProject, EveryNumberParameterReadsBack) {
    const double values[] = {50,
                             2.5,
                             -0.01,
                             1e-6,
                             1.2e-5,
                             3000000000.0,
                             -2147483648.0,
                             2147483647,
                             1e15,
                             0.1 + 0.2,
                             1.79769313486231e308,
                             2.2250738585072e-308,
                             DBL_MAX,
                             -DBL_MAX,
                             5e-324};
    ProjectDocument doc;
    int k = 0;
    for (double v : values) {
        doc.table.rows.push_back(row(u8"число", "N" + std::to_string(k), declarationNumber(v)));
        doc.table.rows.push_back(
            row(u8"размер", "S" + std::to_string(k++), "1(" + declarationNumber(v) + ")"));
    }
    TestHost host;
    CCompil compil(host);
    ResultWindow result;
    runProject(doc, compil, result);
    ASSERT_TRUE(host.errors.empty()) << host.errors.front();
    k = 0;
    for (double v : values) {
        const CNameVar* n = global(compil, "N" + std::to_string(k));
        ASSERT_NE(n, nullptr) << v;
        EXPECT_EQ(numberOf(n->value), v) << declarationNumber(v);
        const CNameArr* s = globalArray(compil, "S" + std::to_string(k++));
        ASSERT_EQ(s->elements.size(), 5u);
        EXPECT_EQ(numberOf(s->elements[v > 0 ? 3 : 4].value), v) << declarationNumber(v);
    }
}

TEST(RunProject, PanelsAreEmptiedBeforeTheRunAndTheTextIsCopiedAfter) {
    ProjectDocument doc;
    doc.vizor.project.code[0] = {"PRINTF('a');", "PRINTF_T('t');"};
    TestHost host;
    host.text = {"old"};
    host.tech = {"old tech"};
    CCompil compil(host);
    ResultWindow result;
    int shown = 0;
    result.show = [&] { ++shown; };
    runProject(doc, compil, result);
    EXPECT_EQ(host.text, StringList{"a"});
    EXPECT_EQ(host.tech, StringList{"t"});
    EXPECT_EQ(result.text, StringList{"a"});
    EXPECT_EQ(shown, 0);
    ProgramText first = doc.vizor.programText;
    result.showAfterRun = true;
    runProject(doc, compil, result);
    EXPECT_EQ(host.text, StringList{"a"});
    EXPECT_EQ(doc.vizor.programText.lines, first.lines);
    EXPECT_EQ(shown, 1);
}

TEST(RunProject, ACellThatDoesNotConvertStopsBeforeThePanelsAreTouched) {
    ProjectDocument doc;
    doc.table.rows = {row(u8"число", "A", "1"), row(u8"размер", "B", "50JS6")};
    doc.vizor.project.code[0] = {"PRINTF('ran');"};
    TestHost host;
    host.text = {"previous"};
    CCompil compil(host);
    ResultWindow result;
    result.text = {"window"};
    EXPECT_THROW(runProject(doc, compil, result), ParameterError);
    EXPECT_EQ(host.text, StringList{"previous"});
    EXPECT_EQ(result.text, StringList{"window"});
}

TEST(RunProject, ErrorsAreLocatedBySectionAndLine) {
    ProjectDocument doc;
    doc.table.rows = {row(u8"число", "A", "1"), row(u8"число", "B", "2")};
    doc.vizor.project.code[0] = {"PRINTF('main');"};
    doc.vizor.project.code[3] = {"// unit three", "Q=ZZZ+1;"};
    TestHost host;
    CCompil compil(host);
    ResultWindow result;
    runProject(doc, compil, result);
    ASSERT_EQ(host.locations.size(), 1u);
    EXPECT_EQ(host.locations[0].section, "Unit3");
    EXPECT_EQ(host.locations[0].line, 2);
}
