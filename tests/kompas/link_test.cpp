#include "capture.h"
#include "kompas/link.h"
#include "kompas/trace_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

using namespace qm::kompas;
using qm::kompas::test::Capture;
using qm::kompas::test::Message;

namespace {

struct LinkTest : ::testing::Test {
    Capture capture;
    KompasLink link;
    void SetUp() override {
        link.setTransport(&capture);
        link.findCompanion();
    }
};

} // namespace

TEST_F(LinkTest, EmptyTextIsOneZeroChunk) {
    link.sendText(cmdParamText, "");
    EXPECT_EQ(capture.messages,
              (std::vector<Message>{{1125, 0, 1, {}}, {1126, 0, 0, {}}, {1426, 0, 0, {}}}));
    EXPECT_EQ(link.lastResult, 1426 + 100000);
}

TEST_F(LinkTest, SevenCharacterTextTakesTwoChunks) {
    link.sendText(cmdBitFlagText, "ABCDEFG");
    EXPECT_EQ(capture.messages, (std::vector<Message>{{1125, 0, 8, {}},
                                                      {1126, 0x44434241, 0x00474645, {}},
                                                      {1126, 0, 0, {}},
                                                      {1225, 0, 0, {}}}));
    EXPECT_EQ(link.textBuffer(), "ABCDEFG");
}

TEST_F(LinkTest, RecordWithoutBytesSendsCountAndCommand) {
    link.sendRecord(cmdEndObj, nullptr, 0);
    EXPECT_EQ(capture.messages, (std::vector<Message>{{1125, 0, 0, {}}, {1181, 0, 0, {}}}));
    EXPECT_EQ(link.lastResult, 1181 + 100000);
}

TEST_F(LinkTest, FourByteRecordIsOneChunk) {
    link.send(GroupRecord{0x12345678});
    EXPECT_EQ(
        capture.messages,
        (std::vector<Message>{{1125, 0, 4, {}}, {1126, 0x12345678, 0, {}}, {1525, 0, 0, {}}}));
}

// 36 bytes: five chunks, the last holding bytes 32..35 and four zero bytes.
TEST_F(LinkTest, SegmentSequence) {
    SegmentRecord r;
    r.x2 = 100, r.y2 = 50, r.style = 1;
    link.send(r);
    EXPECT_EQ(capture.messages, (std::vector<Message>{{1125, 0, 36, {}},
                                                      {1126, 0, 0, {}},
                                                      {1126, 0, 0, {}},
                                                      {1126, 0, 0x40590000, {}},
                                                      {1126, 0, 0x40490000, {}},
                                                      {1126, 1, 0, {}},
                                                      {1176, 0, 0, {}}}));
}

// Only the command message's answer counts; the answer survives later runs until a new command.
TEST_F(LinkTest, LastResultComesFromTheCommandMessageAndPersists) {
    capture.answer = [](std::uint32_t id) { return id == 1476 ? -5 : 99; };
    link.send(ViewNumberRecord{3});
    EXPECT_EQ(link.lastResult, -5);
    link.findCompanion(); // a new run
    EXPECT_EQ(link.lastResult, -5);
    link.setTransport(nullptr);
    link.findCompanion(); // the companion has gone away
    EXPECT_EQ(link.lastResult, -5);
    link.sendRecord(cmdEndGroup, nullptr, 0);
    EXPECT_EQ(link.lastResult, 0);
}

TEST_F(LinkTest, TransportChangesAtTheNextLookUp) {
    Capture other;
    link.setTransport(&other);
    link.sendRecord(cmdEndObj, nullptr, 0);
    EXPECT_EQ(capture.messages.size(), 2u);
    EXPECT_TRUE(other.messages.empty());
    link.findCompanion();
    link.sendRecord(cmdEndObj, nullptr, 0);
    EXPECT_EQ(other.messages.size(), 2u);
}

TEST(Link, NothingIsSentBeforeTheFirstLookUp) {
    Capture capture;
    KompasLink link;
    link.setTransport(&capture);
    link.lastResult = 12;
    link.sendText(cmdParamText, "x");
    EXPECT_TRUE(capture.messages.empty());
    EXPECT_FALSE(link.companionFound());
    EXPECT_EQ(link.lastResult, 0);
}

TEST_F(LinkTest, EveryMessageCarriesTheSendingStatement) {
    link.current = {"Unit2", 14};
    link.send(CircleRecord{});
    ASSERT_EQ(capture.messages.size(), 6u);
    for (const auto& m : capture.messages) {
        EXPECT_EQ(m.origin.section, "Unit2");
        EXPECT_EQ(m.origin.line, 14);
    }
}

TEST(Trace, RecordsUnsignedDecimalLinesAndForwards) {
    std::ostringstream out;
    Capture companion;
    TraceRecorder recorder(out, &companion);
    KompasLink link;
    link.setTransport(&recorder);
    link.findCompanion();
    link.send(ViewNumberRecord{-1});
    EXPECT_EQ(out.str(), "1125 0 4\n1126 4294967295 0\n1476 0 0\n");
    EXPECT_EQ(companion.messages.size(), 3u);
    EXPECT_EQ(link.lastResult, 1476 + 100000);
}

// The same lines without a companion behind the recorder; every answer is then 0.
TEST(Trace, SameLinesWithoutCompanion) {
    std::ostringstream withCompanion, alone;
    Capture companion;
    TraceRecorder a(withCompanion, &companion), b(alone);
    for (TraceRecorder* r : {&a, &b}) {
        KompasLink link;
        link.setTransport(r);
        link.findCompanion();
        link.sendText(cmdParamText, "\xC2\xE0\xEB"); // Windows-1251 bytes above 127
        link.sendRecord(cmdEndGroup, nullptr, 0);
        if (r == &b) {
            EXPECT_EQ(link.lastResult, 0);
        }
    }
    EXPECT_EQ(withCompanion.str(), alone.str());
    EXPECT_EQ(traceLine(0xFFFFFFFFu, 0, 4294967295u), "4294967295 0 4294967295");
}

TEST(Trace, NoCompanionAnswersZero) {
    NoCompanion none;
    KompasLink link;
    link.lastResult = 5;
    link.setTransport(&none);
    link.findCompanion();
    link.send(MoveRecord{});
    EXPECT_EQ(link.lastResult, 0);
}

TEST(TraceFileTest, WritesTheLinesAndForwards) {
    std::string path = ::testing::TempDir() + "kompas_trace.txt";
    Capture companion;
    {
        TraceFile trace(path, &companion);
        KompasLink link;
        link.setTransport(&trace);
        link.findCompanion();
        link.sendRecord(cmdEndObj, nullptr, 0);
        EXPECT_EQ(link.lastResult, 1181 + 100000);
        trace.close();
    }
    std::ifstream in(path, std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(all, "1125 0 0\n1181 0 0\n");
    EXPECT_EQ(companion.messages.size(), 2u);
    std::remove(path.c_str());
}

TEST(TraceFileTest, UncreatableFileIsAnError) {
    EXPECT_THROW(TraceFile("/nonexistent-folder/trace.txt", nullptr), std::runtime_error);
}
