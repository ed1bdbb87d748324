// Views, references, groups, hatch boundaries and the transformations of the companion.
#include "bench.h"
#include "drawing/sheet.h"

#include <gtest/gtest.h>

#include <set>

namespace qm::testing {
namespace {

using namespace qm::drawing;

constexpr double eps = 1e-9;

// A copy: the drawing's objects move when it grows.
Object obj(const Bench& b, int ref) {
    const Object* o = b.companion.drawing().find(ref);
    if (!o) throw std::runtime_error("no object " + std::to_string(ref));
    return *o;
}

Segment segOf(const Bench& b, int ref) {
    return std::get<Segment>(obj(b, ref).items.at(0).shape);
}

// The object's first item on the sheet.
Item sheetItem(const Bench& b, int ref) {
    for (const SheetObject& s : sheetObjects(b.companion.drawing()))
        if (s.object->ref == ref) return s.items.at(0);
    throw std::runtime_error("not drawn");
}

void expectPoint(Point p, double x, double y) {
    EXPECT_NEAR(p.x, x, eps);
    EXPECT_NEAR(p.y, y, eps);
}

kompas::SheetViewRecord view(int number, double x, double y, double scale, double angle) {
    kompas::SheetViewRecord v;
    v.number = static_cast<std::int16_t>(number);
    v.x = x, v.y = y, v.scale = scale, v.angle = angle;
    return v;
}

kompas::MoveRecord move(int ref, double dx, double dy) {
    kompas::MoveRecord m;
    m.ref = ref, m.dx = dx, m.dy = dy;
    return m;
}

kompas::SymmetryRecord mirror(int ref, double x1, double y1, double x2, double y2, int keep) {
    kompas::SymmetryRecord m;
    m.ref = ref, m.x1 = x1, m.y1 = y1, m.x2 = x2, m.y2 = y2,
    m.keep = static_cast<std::uint8_t>(keep);
    return m;
}

TEST(Model, ReferencesArePositiveAndUnique) {
    Bench b;
    std::set<int> refs;
    for (int i = 0; i < 5; ++i) {
        refs.insert(b.send(seg(0, 0, i, 1)));
        refs.insert(b.send(circle(0, 0, i + 1)));
        refs.insert(b.send(arc(0, 0, 1, 0, 90, 1)));
        b.param("т");
        refs.insert(b.send(text(0, 0)));
    }
    EXPECT_EQ(refs.size(), 20u);
    EXPECT_GT(*refs.begin(), 0);
}

TEST(Model, LineStylesMapToLineKinds) {
    const std::pair<std::uint32_t, LineKind> table[] = {
        {1, LineKind::Main},          {2, LineKind::Thin},  {3, LineKind::Axis},
        {4, LineKind::Hidden},        {7, LineKind::Thick}, {8, LineKind::Dotted},
        {0, LineKind::Main},          {5, LineKind::Main},  {10, LineKind::Main},
        {4000000000u, LineKind::Main}};
    Bench b;
    for (auto [code, kind] : table)
        EXPECT_EQ(obj(b, b.send(seg(0, 0, 1, 1, code))).items[0].kind, kind) << code;
}

TEST(Model, ArcDirectionOneIsCounterClockwise) {
    Bench b;
    // The shaft builder's corner "from 270 to 0" is the quarter below-right of the centre.
    Arc ccw = std::get<Arc>(obj(b, b.send(arc(0, 0, 10, 270, 0, 1))).items[0].shape);
    EXPECT_NEAR(ccw.start, 270, eps);
    EXPECT_NEAR(ccw.sweep, 90, eps);
    Arc cw = std::get<Arc>(obj(b, b.send(arc(0, 0, 10, 270, 0, -1))).items[0].shape);
    EXPECT_NEAR(cw.start, 0, eps);
    EXPECT_NEAR(cw.sweep, 270, eps);
    Arc full = std::get<Arc>(obj(b, b.send(arc(0, 0, 10, 30, 390, 1))).items[0].shape);
    EXPECT_NEAR(full.sweep, 360, eps);
}

TEST(Model, ViewsPlaceTheirObjectsOnTheSheet) {
    Bench b;
    b.param("Вид A");
    int v = b.send(view(1, 100, 50, 2, 90));
    EXPECT_GT(v, 0);
    int s = b.send(seg(0, 0, 10, 0));
    Segment onSheet = std::get<Segment>(sheetItem(b, s).shape);
    expectPoint(onSheet.a, 100, 50);
    expectPoint(onSheet.b, 100, 70); // scale 2, turned a quarter
    EXPECT_EQ(b.companion.drawing().findView(1)->name, "Вид A");
    // A text's height is sheet millimetres whatever the view's scale.
    b.param("x");
    int t = b.send(text(0, 0, 0, 5));
    EXPECT_NEAR(std::get<Text>(sheetItem(b, t).shape).height, 5, eps);

    kompas::ViewNumberRecord open;
    open.number = 0;
    EXPECT_EQ(b.send(open), 1);
    int s0 = b.send(seg(0, 0, 10, 0));
    expectPoint(std::get<Segment>(sheetItem(b, s0).shape).b, 10, 0);
    open.number = 5;
    EXPECT_EQ(b.send(open), 0);
    EXPECT_EQ(b.send(view(1, 0, 0, 1, 0)), 0) << "a number in use";
    EXPECT_EQ(b.send(view(0, 0, 0, 1, 0)), 0) << "the sheet";
    EXPECT_EQ(b.send(view(2, 0, 0, 0, 0)), 0) << "scale 0";
    EXPECT_EQ(b.companion.drawing().currentView().number, 0);
}

TEST(Model, MoveRotateAndUnknownReferences) {
    Bench b;
    int s = b.send(seg(0, 0, 10, 0));
    EXPECT_EQ(b.send(move(s, 5, 5)), s);
    expectPoint(segOf(b, s).a, 5, 5);
    kompas::RotateRecord r;
    r.ref = s, r.x = 5, r.y = 5, r.angle = 90;
    EXPECT_EQ(b.send(r), s);
    expectPoint(segOf(b, s).b, 5, 15);
    EXPECT_EQ(b.send(move(s + 100, 1, 1)), 0);
    EXPECT_EQ(b.send(move(0, 1, 1)), 0);
    EXPECT_EQ(b.send(move(-1, 1, 1)), 0);
}

TEST(Model, GroupsCollectAndTransformTogether) {
    Bench b;
    int g = b.command(kompas::cmdNewGroup);
    EXPECT_EQ(g, 0) << "KSNEWGROUP has a record";
    kompas::GroupRecord gr;
    g = b.send(gr);
    EXPECT_GT(g, 0);
    int s1 = b.send(seg(0, 0, 10, 0));
    int c1 = b.send(circle(20, 0, 5));
    EXPECT_EQ(b.command(kompas::cmdEndGroup), g);
    EXPECT_EQ(b.command(kompas::cmdEndGroup), 0) << "no group open";
    int outside = b.send(seg(0, 0, 1, 0));
    EXPECT_EQ(obj(b, g).members, (std::vector<int>{s1, c1}));

    EXPECT_EQ(b.send(move(g, 0, 10)), g);
    expectPoint(segOf(b, s1).a, 0, 10);
    expectPoint(std::get<Circle>(obj(b, c1).items[0].shape).centre, 20, 10);
    expectPoint(segOf(b, outside).b, 1, 0);

    // Copy from (0, 10) to (100, 0), twice the size, turned a quarter.
    kompas::CopyRecord cp;
    cp.ref = g, cp.x1 = 0, cp.y1 = 10, cp.x2 = 100, cp.y2 = 0, cp.scale = 2, cp.angle = 90;
    b.at(12);
    int copy = b.send(cp);
    EXPECT_GT(copy, outside);
    const Object& co = obj(b, copy);
    ASSERT_EQ(co.members.size(), 2u);
    Segment cs = segOf(b, co.members[0]);
    expectPoint(cs.a, 100, 0);
    expectPoint(cs.b, 100, 20);
    Circle cc = std::get<Circle>(obj(b, co.members[1]).items[0].shape);
    expectPoint(cc.centre, 100, 40);
    EXPECT_NEAR(cc.radius, 10, eps);
    EXPECT_EQ(obj(b, co.members[0]).where.line, 12) << "a copy remembers the copy statement";
    expectPoint(segOf(b, s1).a, 0, 10); // the original stays
}

TEST(Model, GroupsNestAndCopiesOfNestedGroupsAreDeep) {
    Bench b;
    kompas::GroupRecord gr;
    int outer = b.send(gr);
    int inner = b.send(gr);
    int s = b.send(seg(0, 0, 1, 0));
    EXPECT_EQ(b.command(kompas::cmdEndGroup), inner);
    EXPECT_EQ(b.command(kompas::cmdEndGroup), outer);
    EXPECT_EQ(obj(b, outer).members, std::vector<int>{inner});
    EXPECT_EQ(b.send(move(outer, 3, 0)), outer);
    expectPoint(segOf(b, s).a, 3, 0);
    kompas::CopyRecord cp;
    cp.ref = outer, cp.x2 = 1, cp.scale = 1;
    int copy = b.send(cp);
    int innerCopy = obj(b, copy).members.at(0);
    EXPECT_NE(innerCopy, inner);
    expectPoint(segOf(b, obj(b, innerCopy).members.at(0)).a, 4, 0);
}

TEST(Model, MirrorKeepsTheOriginalOnlyWhenAsked) {
    Bench b;
    int s = b.send(seg(10, 0, 20, 5));
    int copy = b.send(mirror(s, 0, 0, 0, 1, 1)); // about the y axis, keeping the original
    EXPECT_GT(copy, s);
    expectPoint(segOf(b, s).a, 10, 0);
    expectPoint(segOf(b, copy).a, -10, 0);
    expectPoint(segOf(b, copy).b, -20, 5);
    EXPECT_EQ(b.send(mirror(s, 0, 0, 1, 0, 0)), s); // about the x axis, in place
    expectPoint(segOf(b, s).b, 20, -5);
    EXPECT_EQ(b.send(mirror(s, 1, 1, 1, 1, 0)), 0) << "no line through one point";
    EXPECT_EQ(b.companion.drawing().objects().size(), 2u);
}

TEST(Model, MirroredArcsAndTextsStayTrue) {
    Bench b;
    int a = b.send(arc(10, 0, 5, 0, 90, 1));
    EXPECT_EQ(b.send(mirror(a, 0, 0, 0, 1, 0)), a);
    Arc m = std::get<Arc>(obj(b, a).items[0].shape);
    expectPoint(m.centre, -10, 0);
    EXPECT_NEAR(m.start, 90, eps); // the quarter from 90 to 180
    EXPECT_NEAR(m.sweep, 90, eps);
    b.param("Вал");
    int t = b.send(text(10, 0, 0, 5));
    b.send(mirror(t, 0, 0, 0, 1, 0));
    Text x = std::get<Text>(obj(b, t).items[0].shape);
    EXPECT_NEAR(x.angle, 0, eps) << "still reads left to right";
    EXPECT_EQ(x.align, HAlign::Right);
    expectPoint(x.at, -10, 0);
    b.send(mirror(t, 0, 0, 1, 0, 0)); // upside down: the baseline moves across the box
    x = std::get<Text>(obj(b, t).items[0].shape);
    EXPECT_NEAR(x.angle, 0, eps);
    expectPoint(x.at, -10, -5);
}

TEST(Model, HatchBoundaryIsWhatComesBeforeEndObj) {
    Bench b;
    kompas::HatchRecord h;
    h.style = 0, h.angle = 45, h.step = 2;
    EXPECT_EQ(b.command(kompas::cmdEndObj), 0) << "no hatch open";
    int open = b.send(h);
    EXPECT_GT(open, 0);
    EXPECT_EQ(b.send(h), 0) << "one hatch at a time";
    // A square given in scrambled order and direction, and a round hole.
    EXPECT_GT(b.send(seg(0, 0, 10, 0)), 0);
    b.send(seg(10, 10, 10, 0));
    b.send(seg(0, 10, 0, 0));
    b.send(seg(10, 10, 0, 10));
    b.send(circle(5, 5, 2));
    int hatch = b.command(kompas::cmdEndObj);
    EXPECT_GT(hatch, 0);
    const Object& o = obj(b, hatch);
    EXPECT_EQ(o.kind, ObjectKind::Hatch);
    EXPECT_EQ(b.companion.drawing().objects().size(), 1u) << "the boundary is not drawn";
    const Hatch& hh = std::get<Hatch>(o.items.at(0).shape);
    ASSERT_EQ(hh.loops.size(), 2u);
    ASSERT_EQ(hh.loops[0].size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        Point end = edgeEnd(hh.loops[0][i]), next = edgeStart(hh.loops[0][(i + 1) % 4]);
        expectPoint(end, next.x, next.y);
    }
    EXPECT_NEAR(hh.angle, 45, eps);
    EXPECT_EQ(b.command(kompas::cmdEndObj), 0);
    EXPECT_GT(b.send(h), 0);
    EXPECT_EQ(b.command(kompas::cmdEndObj), 0) << "an empty boundary encloses nothing";
}

TEST(Model, OpenBoundaryIsClosedStraight) {
    std::vector<Edge> edges{Segment{{0, 0}, {10, 0}}, Segment{{10, 0}, {10, 10}}};
    std::vector<Loop> loops = chainLoops(edges);
    ASSERT_EQ(loops.size(), 1u);
    ASSERT_EQ(loops[0].size(), 3u);
    expectPoint(edgeEnd(loops[0][2]), 0, 0);
    EXPECT_TRUE(chainLoops({Segment{{0, 0}, {10, 0}}}).empty()) << "no area";
}

} // namespace
} // namespace qm::testing

namespace qm::testing {
namespace {

TEST(ModelLimits, CopiesIntoTheirOwnGroupStopAtTheDrawingsCapacity) {
    Bench b;
    kompas::GroupRecord gr;
    int g = b.send(gr);
    b.send(seg(0, 0, 1, 0));
    kompas::CopyRecord cp;
    cp.ref = g, cp.scale = 1;
    int made = 0, refused = 0;
    for (int i = 0; i < 24; ++i)
        (b.send(cp) > 0 ? made : refused)++;
    EXPECT_GE(made, 15); // each copy doubles the group
    EXPECT_GT(refused, 0);
    EXPECT_LE(b.companion.drawing().objects().size(), 250000u);
    EXPECT_GT(b.send(move(g, 1, 0)), 0) << "the big group still moves";
}

TEST(ModelLimits, GroupsNestOnlySoDeep) {
    Bench b;
    kompas::GroupRecord gr;
    int opened = 0;
    for (int i = 0; i < 300; ++i)
        opened += b.send(gr) > 0;
    EXPECT_EQ(opened, 256);
    EXPECT_GT(b.send(seg(0, 0, 1, 0)), 0);
}

} // namespace
} // namespace qm::testing
