#include "project/project_file.h"
#include "project/run_file.h"

#include "project_fixtures.h"
#include "test_host.h"

using namespace qm;
using namespace qm::test;

namespace {

struct Runner {
    TestHost host;
    CCompil compil{host};
    StringList printed, errors;
    ProjectRunOutput output{
        [this](const std::string& l) { printed.push_back(l); },
        [this](const std::string& e) { errors.push_back(cp1251ToUtf8(e)); },
        [this](const std::string& e) { errors.push_back("usage: " + cp1251ToUtf8(e)); }};
    int run(const std::string& path, const ProjectRunOptions& options = {}) {
        return runProjectFile(path, options, compil, output);
    }
};

} // namespace

class RunProjectFile : public ScratchFolder {
  protected:
    std::string project() {
        return writeUtf8Lines("p.qmp",
                              {u8"проект", "", u8"данные", "", u8"параметр", u8"число", "D", "50",
                               u8"диаметр", u8"параметр", u8"строка", "M", "steel", "",
                               u8"конец данных", u8"код проекта", "PRINTF(M+STR(D*2));"});
    }
};

TEST_F(RunProjectFile, RunsTheProject) {
    Runner r;
    EXPECT_EQ(r.run(project()), 0);
    EXPECT_EQ(r.host.text, StringList{"steel100"});
}

TEST_F(RunProjectFile, SetReplacesTheValueCellOfTheFirstRowOfThatName) {
    Runner r;
    ProjectRunOptions o;
    o.sets = {{"D", "2,5"}, {"M", u8"сталь"}};
    EXPECT_EQ(r.run(project(), o), 0);
    EXPECT_EQ(r.host.text, StringList{ru(u8"сталь5")});
}

TEST_F(RunProjectFile, AnUnknownSetNameIsAUsageError) {
    Runner r;
    ProjectRunOptions o;
    o.sets = {{"d", "1"}}; // names match exactly
    EXPECT_EQ(r.run(project(), o), 2);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0].find("usage: --set d"), 0u) << r.errors[0];
    EXPECT_TRUE(r.host.text.empty());
}

TEST_F(RunProjectFile, AValueWithoutAWindows1251FormIsRefusedBeforeAnythingIsWritten) {
    Runner r;
    ProjectRunOptions o;
    o.sets = {{"M", u8"сталь → 45"}};
    o.saveAs = file("out.qmp");
    EXPECT_EQ(r.run(project(), o), 2);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0].find("usage: --set"), 0u) << r.errors[0];
    EXPECT_FALSE(fs::exists(file("out.qmp")));
}

TEST_F(RunProjectFile, ACellThatDoesNotConvertIsReportedAtItsRowAndNothingRuns) {
    Runner r;
    ProjectRunOptions o;
    o.sets = {{"D", "5O"}};
    EXPECT_EQ(r.run(project(), o), 1);
    ASSERT_EQ(r.host.errors.size(), 1u);
    EXPECT_EQ(r.host.errors[0], "'5O' " + ru(u8"не является правильным числом"));
    EXPECT_EQ(cp1251ToUtf8(r.host.locations[0].section), u8"исходные данные");
    EXPECT_EQ(r.host.locations[0].line, 1);
    EXPECT_EQ(cp1251ToUtf8(r.host.causes[0]), u8"параметр D");
    EXPECT_TRUE(r.host.text.empty());
}

TEST_F(RunProjectFile, PrintProgramWritesTheAssembledTextAndDoesNotRun) {
    Runner r;
    ProjectRunOptions o;
    o.printProgram = true;
    EXPECT_EQ(r.run(project(), o), 0);
    ASSERT_EQ(r.printed.size(), 6u);
    EXPECT_EQ(r.printed[0], ru(u8"D=50; //диаметр"));
    EXPECT_EQ(r.printed[5], "PRINTF(M+STR(D*2));");
    EXPECT_TRUE(r.host.text.empty());
}

TEST_F(RunProjectFile, SaveAsWritesTheProjectWithTheSetValuesAndDoesNotRun) {
    Runner r;
    ProjectRunOptions o;
    o.sets = {{"D", "60"}};
    o.saveAs = file("out.qmp");
    EXPECT_EQ(r.run(project(), o), 0);
    EXPECT_TRUE(r.host.text.empty());
    ProjectDocument doc;
    loadProject(doc, file("out.qmp"));
    EXPECT_EQ(doc.table.rows[0][ColValue], "60");
    o.saveAs = file("no/such/folder/out.qmp");
    EXPECT_EQ(r.run(project(), o), 2);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_NE(r.errors[0].find(o.saveAs), std::string::npos);
}

TEST_F(RunProjectFile, ABrokenFileIsAnErrorThatNamesTheFileAndTheLine) {
    auto path = writeUtf8Lines("b.qmp", {u8"проект", "", u8"данные", "", u8"параметр", u8"число"});
    Runner r;
    EXPECT_EQ(r.run(path), 2);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0].find(path + ", строка 5: "), 0u) << r.errors[0];
    EXPECT_EQ(r.run(file("missing.qmp")), 2);
}
