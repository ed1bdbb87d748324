// The companion's side of the message protocol: what it accepts as a record and what it refuses.
#include "bench.h"

#include <gtest/gtest.h>

#include <vector>

namespace qm::testing {
namespace {

using kompas::Origin;

// Raw messages, as a sender that does not follow the protocol might send them.
struct Raw {
    Companion c;
    Origin o;
    std::int32_t msg(std::uint32_t id, std::uint32_t w = 0, std::uint32_t l = 0) {
        return c.send(id, w, l, o);
    }
    void count(std::uint32_t n) { msg(kompas::countMessage, 0, n); }
    void chunks(const kompas::Bytes& b, std::size_t k0, std::size_t k1) {
        for (std::size_t k = k0; k < k1; ++k) {
            auto [w, l] = kompas::chunkWords(b.data(), b.size(), k);
            msg(kompas::chunkMessage, w, l);
        }
    }
    // A well-formed sequence of `bytes` under `count`.
    std::int32_t record(std::uint32_t id, const kompas::Bytes& b) {
        count(static_cast<std::uint32_t>(b.size()));
        chunks(b, 0, kompas::chunkCount(b.size()));
        return msg(id);
    }
};

const kompas::Bytes segment = kompas::pack(seg(0, 0, 100, 50, 1));

TEST(Receiver, WellFormedSequencesAnswerAsTheCommandSays) {
    Raw r;
    EXPECT_EQ(r.record(kompas::cmdLineSeg, segment), 1); // the first reference
    EXPECT_EQ(r.record(kompas::cmdParamText, kompas::packText("")), 1);
    EXPECT_EQ(r.record(kompas::cmdBitFlagText, kompas::packText("_AUTONOMINAL")), 1);
    EXPECT_EQ(r.record(kompas::cmdLineSeg, segment), 2);
    ASSERT_EQ(r.c.drawing().objects().size(), 2u);
    const auto& item = r.c.drawing().objects()[0].items.at(0);
    const auto& s = std::get<drawing::Segment>(item.shape);
    EXPECT_EQ(s.b.x, 100);
    EXPECT_EQ(s.b.y, 50);
}

TEST(Receiver, CountAndChunkMessagesAnswerZero) {
    Raw r;
    EXPECT_EQ(r.msg(kompas::countMessage, 0, 36), 0);
    EXPECT_EQ(r.msg(kompas::chunkMessage, 1, 2), 0);
}

// Every malformed sequence answers 0 and draws nothing; the next good one works again.
TEST(Receiver, MalformedSequencesAreRefused) {
    struct Case {
        const char* what;
        std::int32_t (*send)(Raw&); // the command message's answer
    };
    const Case cases[] = {
        {"chunks without a count",
         [](Raw& r) {
             r.chunks(segment, 0, 5);
             return r.msg(kompas::cmdLineSeg);
         }},
        {"a command without a count", [](Raw& r) { return r.msg(kompas::cmdEndObj); }},
        {"a chunk missing",
         [](Raw& r) {
             r.count(36);
             r.chunks(segment, 0, 4);
             return r.msg(kompas::cmdLineSeg);
         }},
        {"a chunk too many",
         [](Raw& r) {
             r.count(36);
             r.chunks(segment, 0, 5);
             r.msg(kompas::chunkMessage, 0, 0);
             return r.msg(kompas::cmdLineSeg);
         }},
        {"a count that is not the record's size",
         [](Raw& r) {
             kompas::Bytes shorter(segment.begin(), segment.end() - 1);
             return r.record(kompas::cmdLineSeg, shorter);
         }},
        {"a record for a command without one",
         [](Raw& r) {
             return r.record(kompas::cmdEndGroup, kompas::Bytes{0, 0, 0, 0});
         }},
        {"a text without its terminating zero",
         [](Raw& r) {
             return r.record(kompas::cmdParamText, kompas::Bytes{'A', 'B'});
         }},
        {"an unknown id", [](Raw& r) { return r.record(1177 + 1000, segment); }},
        {"a huge count",
         [](Raw& r) {
             r.count(0xFFFFFFFFu);
             r.chunks(segment, 0, 5);
             return r.msg(kompas::cmdParamText);
         }},
    };
    for (const Case& c : cases) {
        Raw r;
        EXPECT_EQ(c.send(r), 0) << c.what;
        EXPECT_EQ(r.c.drawing().objects().size(), 0u) << c.what;
        EXPECT_EQ(r.record(kompas::cmdLineSeg, segment), 1) << c.what << ": next sequence";
    }
}

TEST(Receiver, NewCountStartsTheRecordAfresh) {
    Raw r;
    r.count(36);
    r.chunks(segment, 0, 3);
    EXPECT_EQ(r.record(kompas::cmdLineSeg, segment), 1);
}

TEST(Receiver, TextStopsAtItsFirstZero) {
    Bench b;
    b.link.sendText(kompas::cmdParamText, std::string("AB\0CD", 5));
    EXPECT_EQ(b.link.lastResult, 1);
    EXPECT_GT(b.send(text(0, 0)), 0);
    const auto& t =
        std::get<drawing::Text>(b.companion.drawing().objects().back().items.at(0).shape);
    EXPECT_EQ(t.utf8, "AB");
}

TEST(Receiver, RecordsBadValuesAreRefused) {
    Bench b;
    EXPECT_EQ(b.send(seg(0, std::nan(""), 1, 1)), 0);
    EXPECT_EQ(b.send(seg(0, 1e300, 1, 1)), 0);
    EXPECT_EQ(b.send(circle(0, 0, 0)), 0);
    EXPECT_EQ(b.send(circle(0, 0, -5)), 0);
    EXPECT_EQ(b.send(arc(0, 0, 0, 0, 90, 1)), 0);
    EXPECT_TRUE(b.companion.drawing().objects().empty());
}

TEST(Receiver, ObjectsRememberTheStatementThatMadeThem) {
    Bench b;
    b.at(7, "Unit3");
    int ref = b.send(seg(0, 0, 1, 1));
    const drawing::Object* o = b.companion.drawing().find(ref);
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->where.section, "Unit3");
    EXPECT_EQ(o->where.line, 7);
}

} // namespace
} // namespace qm::testing
