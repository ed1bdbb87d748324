// Garbage on the wire: random message streams never crash the companion nor make it read outside
// a record (the sanitizer build turns such a read into a failure), and what it drew still
// writes as files.
#include "bench.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace qm::testing {
namespace {

// A stream of messages that is mostly protocol-shaped: counts near the real sizes, the right
// number of chunks or one too few or too many, real command ids among unknown ones, and random
// bytes in the records (NaNs, huge numbers, references that name nothing or something).
class Garbage {
  public:
    explicit Garbage(unsigned seed) : rnd_(seed) {}

    void feed(Companion& c, int sequences) {
        const auto& table = kompas::commandTable();
        for (int i = 0; i < sequences; ++i) {
            std::uint32_t id =
                pick(10) == 0 ? static_cast<std::uint32_t>(rnd_()) : table[pick(table.size())].id;
            const kompas::CommandInfo* info = kompas::commandInfo(id);
            std::size_t size =
                info && info->kind == kompas::RecordKind::Fixed ? info->size : pick(40);
            if (pick(8) == 0) size = pick(130);
            kompas::Bytes record(size);
            for (auto& byte : record)
                byte = static_cast<std::uint8_t>(pick(5) == 0 ? rnd_() : smallByte());
            if (!record.empty() && pick(3) != 0 && info && info->kind == kompas::RecordKind::Text)
                record.back() = 0;
            send(c, id, record);
        }
    }

  private:
    std::size_t pick(std::size_t n) { return n ? rnd_() % n : 0; }
    // Bytes that make small integers and ordinary doubles more often than noise does.
    std::uint8_t smallByte() {
        static const std::uint8_t common[] = {0, 0, 0, 1, 2, 3, 0x40, 0x3F, 0xF0, 0x24, 0xFF, 0x80};
        return common[pick(sizeof common)];
    }

    void send(Companion& c, std::uint32_t id, const kompas::Bytes& record) {
        kompas::Origin o{"Unit1", static_cast<int>(pick(100))};
        if (pick(20) != 0)
            c.send(kompas::countMessage, 0, static_cast<std::uint32_t>(record.size()), o);
        std::size_t chunks = record.empty() ? 0 : kompas::chunkCount(record.size());
        if (pick(10) == 0) chunks = pick(chunks + 3);
        for (std::size_t k = 0; k < chunks; ++k) {
            auto [w, l] = kompas::chunkWords(record.data(), record.size(), k);
            c.send(kompas::chunkMessage, w, l, o);
        }
        if (pick(30) == 0) c.send(static_cast<std::uint32_t>(rnd_()), rnd_(), rnd_(), o);
        c.send(id, pick(50) == 0 ? rnd_() : 0, 0, o);
    }

    std::mt19937 rnd_;
};

TEST(Fuzz, RandomStreamsNeverBreakTheCompanion) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        Companion c;
        Garbage g(seed);
        g.feed(c, 1500);
        std::ostringstream svg, dxf;
        c.writeSvg(svg);
        c.writeDxf(dxf);
        EXPECT_NE(svg.str().find("</svg>"), std::string::npos) << seed;
        EXPECT_NE(dxf.str().find("EOF"), std::string::npos) << seed;
        // The companion still understands a proper sequence afterwards.
        kompas::KompasLink link;
        link.setTransport(&c);
        link.findCompanion();
        link.send(seg(0, 0, 1, 1));
        EXPECT_GT(link.lastResult, 0) << seed;
    }
}

// Pure noise: ids, wParams and lParams all random.
TEST(Fuzz, NoiseIsIgnored) {
    std::mt19937 rnd(7);
    Companion c;
    kompas::Origin o;
    for (int i = 0; i < 200000; ++i) {
        std::uint32_t id = rnd() % 4 == 0   ? kompas::chunkMessage
                           : rnd() % 3 == 0 ? kompas::countMessage
                                            : 1100 + rnd() % 600;
        std::uint32_t l = id == kompas::countMessage ? rnd() % 200 : rnd();
        c.send(id, rnd(), l, o);
    }
    std::ostringstream svg;
    c.writeSvg(svg);
    EXPECT_NE(svg.str().find("</svg>"), std::string::npos);
}

} // namespace
} // namespace qm::testing
