// The link across runs: the companion is looked up at each run start, KSGETREF keeps the last
// answer, and without a companion drawing runs complete with every answer 0.
#include "script.h"

using namespace qm;
using namespace qm::kompas;
using namespace qm::kompas::test;

namespace {
using RunsTest = ScriptTest;
}

TEST_F(RunsTest, ResultSurvivesARunWithoutDrawing) {
    capture.answer = [](std::uint32_t) { return 42; };
    run({"KSENDGROUP;"});
    run({"PRINTF(KSGETREF);"});
    EXPECT_EQ(host.text, (StringList{"42"}));
}

TEST_F(RunsTest, WithoutCompanionDrawingRunsAndAnswersZero) {
    capture.answer = [](std::uint32_t) { return 42; };
    run({"KSENDGROUP;"});
    link.setTransport(nullptr);
    run({"PRINTF(KSGETREF);", "KSLINESEG(0, 0, 1, 1, 1);", "PRINTF(KSGETREF);", "PRINTF('done');"});
    EXPECT_EQ(host.text, (StringList{"42", "0", "done"}));
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(RunsTest, CompanionIsFoundAtTheNextRun) {
    link.setTransport(nullptr);
    run({"X = 1;"});
    link.setTransport(&capture);
    EXPECT_TRUE(capture.messages.empty());
    run({"KSENDOBJ;"});
    EXPECT_EQ(capture.messages.size(), 2u);
}

TEST_F(RunsTest, EarlierRunStartHookStillRuns) {
    TestHost h;
    CCompil other(h);
    int calls = 0;
    other.onRunStart = [&calls] { ++calls; };
    installKompasCommands(other, link);
    ProgramText p;
    p.add("KSENDOBJ;", {"main", 1});
    other.runProgram(p);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(capture.messages.size(), 2u);
}
