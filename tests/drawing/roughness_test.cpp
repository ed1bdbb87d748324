// Roughness marks: the sign of each type, the places of the texts, the contour circle, the leader.
#include "bench.h"
#include "drawing/roughness.h"

#include <gtest/gtest.h>

namespace qm::testing {
namespace {

using namespace qm::drawing;

kompas::RoughRecord rough(int type, double x, double y) {
    kompas::RoughRecord r;
    r.signType = static_cast<std::uint8_t>(type);
    r.x = x, r.y = y;
    return r;
}

std::size_t count(const Object& o, std::size_t index) {
    std::size_t n = 0;
    for (const Item& i : o.items)
        n += i.shape.index() == index;
    return n;
}

TEST(Roughness, TextsAreSharedOutByTheLineCounts) {
    kompas::RoughRecord r;
    r.lines1 = 2, r.lines2 = 1, r.lines3 = 0, r.place4 = 1;
    RoughnessTexts t = shareRoughnessTexts({"Ra 1.6", "Rz 6.3", "Шлифовать", "="}, r);
    EXPECT_EQ(t.place1, (std::vector<std::string>{"Ra 1.6", "Rz 6.3"}));
    EXPECT_EQ(t.place2, std::vector<std::string>{"Шлифовать"});
    EXPECT_TRUE(t.place3.empty());
    EXPECT_EQ(t.place4, "=");
    r.lines1 = 5;
    t = shareRoughnessTexts({"Ra 1.6"}, r);
    EXPECT_EQ(t.place1.size(), 5u) << "missing lines are empty";
    EXPECT_EQ(t.place4, "");
}

TEST(Roughness, SignTypes) {
    Bench b;
    // The basic sign alone: two legs, no shelf.
    Object basic = *b.companion.drawing().find(b.send(rough(0, 10, 20)));
    EXPECT_EQ(basic.kind, ObjectKind::Roughness);
    EXPECT_EQ(count(basic, 0), 2u);
    Object removed = *b.companion.drawing().find(b.send(rough(1, 10, 20)));
    EXPECT_EQ(count(removed, 0), 3u) << "the bar of material removed";
    Object kept = *b.companion.drawing().find(b.send(rough(2, 10, 20)));
    EXPECT_EQ(count(kept, 1), 1u) << "the circle of material not removed";
    // The vertex touches the surface point.
    Segment leg = std::get<Segment>(basic.items[0].shape);
    EXPECT_NEAR(leg.b.x, 10, 1e-9);
    EXPECT_NEAR(leg.b.y, 20, 1e-9);
}

TEST(Roughness, TextsContourAndLeader) {
    Bench b;
    b.param("Ra 3.2\nТочить");
    kompas::RoughRecord r = rough(1, 0, 0);
    r.lines1 = 1, r.lines2 = 1, r.contour = 1;
    Object o = *b.companion.drawing().find(b.send(r));
    EXPECT_EQ(count(o, 0), 4u) << "legs, bar and shelf";
    EXPECT_EQ(count(o, 1), 1u) << "the contour circle";
    std::vector<Text> texts;
    for (const Item& i : o.items)
        if (auto t = std::get_if<Text>(&i.shape)) texts.push_back(*t);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].utf8, "Точить");
    EXPECT_EQ(texts[1].utf8, "Ra 3.2");
    EXPECT_GT(texts[0].at.y, texts[1].at.y) << "the method above the shelf, the parameter under";

    r.leaderDir = 1, r.leaderAngle = 90, r.leaderLength = 15;
    Object led = *b.companion.drawing().find(b.send(r));
    EXPECT_EQ(count(led, 5), 1u) << "the leader's arrow on the surface";
    const Segment& leader = std::get<Segment>(led.items[0].shape);
    EXPECT_NEAR(leader.a.y, 15, 1e-9);
    EXPECT_NEAR(leader.b.y, 0, 1e-9);
}

} // namespace
} // namespace qm::testing
