// Dimensions: the text from its parts, the measured values and the geometry of each kind.
#include "bench.h"
#include "drawing/dimensions.h"

#include <gtest/gtest.h>

namespace qm::testing {
namespace {

using namespace qm::drawing;

std::vector<std::string> textsOf(const Object& o) {
    std::vector<std::string> r;
    for (const Item& i : o.items)
        if (auto t = std::get_if<Text>(&i.shape)) r.push_back(t->utf8);
    return r;
}

std::vector<Text> textItems(const Object& o) {
    std::vector<Text> r;
    for (const Item& i : o.items)
        if (auto t = std::get_if<Text>(&i.shape)) r.push_back(*t);
    return r;
}

std::size_t count(const Object& o, std::size_t index) {
    std::size_t n = 0;
    for (const Item& i : o.items)
        n += i.shape.index() == index;
    return n;
}

// A copy: the drawing's objects move when it grows.
Object obj(const Bench& b, int ref) {
    return *b.companion.drawing().find(ref);
}

TEST(DimensionText, FlagsAreNamesAfterUnderscores) {
    DimFlags f = parseDimFlags("_AUTONOMINAL_PREFIX_tolerance_DEVIATION_UNIT_FOO");
    EXPECT_TRUE(f.autoNominal && f.prefix && f.tolerance && f.deviation && f.unit);
    EXPECT_FALSE(f.nominalOff || f.suffix || f.rectText);
    EXPECT_FALSE(parseDimFlags("AUTONOMINAL").autoNominal) << "a name begins with _";
    EXPECT_TRUE(parseDimFlags("_NOMINALOFF").nominalOff);
}

TEST(DimensionText, LinesAreTakenInTheOrderOfTheFlags) {
    struct Case {
        const char* flags;
        std::vector<std::string> lines;
        DimensionLabel want;
    };
    const Case cases[] = {
        {"_PREFIX_TOLERANCE_DEVIATION_UNIT_SUFFIX",
         {"2 фаски ", "50", "H7", "+0.025", "0", "мм", " max", "под линией"},
         {"2 фаски ", "", "50", "H7", "+0.025", "0", "мм", " max", {"под линией"}, false}},
        {"_AUTONOMINAL_SUFFIX", {"*"}, {"", "", "20", "", "", "", "", "*", {}, false}},
        {"_NOMINALOFF_PREFIX", {"A"}, {"A", "", "", "", "", "", "", "", {}, false}},
        {"_RECTTEXT", {}, {"", "", "", "", "", "", "", "", {}, true}},
        {"", {"12", "a", "b"}, {"", "", "12", "", "", "", "", "", {"a", "b"}, false}},
    };
    for (const Case& c : cases) {
        DimensionLabel l = composeLabel(parseDimFlags(c.flags), c.lines, 0, "20");
        EXPECT_EQ(l.prefix, c.want.prefix) << c.flags;
        EXPECT_EQ(l.nominal, c.want.nominal) << c.flags;
        EXPECT_EQ(l.grade, c.want.grade) << c.flags;
        EXPECT_EQ(l.upper, c.want.upper) << c.flags;
        EXPECT_EQ(l.lower, c.want.lower) << c.flags;
        EXPECT_EQ(l.unit, c.want.unit) << c.flags;
        EXPECT_EQ(l.suffix, c.want.suffix) << c.flags;
        EXPECT_EQ(l.below, c.want.below) << c.flags;
        EXPECT_EQ(l.framed, c.want.framed) << c.flags;
    }
}

TEST(DimensionText, SignsBeforeTheNominal) {
    EXPECT_EQ(signText(1), "\u2300");
    EXPECT_EQ(signText(2), "\u25A1");
    EXPECT_EQ(signText(3), "R");
    EXPECT_EQ(signText(77), "M");
    EXPECT_EQ(signText(0), "");
    EXPECT_EQ(signText(4), "");
}

TEST(DimensionText, AnglesInDegreesAndMinutes) {
    const std::pair<double, const char*> table[] = {{45, "45°"},        {30.25, "30°15'"},
                                                    {0.5, "0°30'"},     {59.99999, "60°"},
                                                    {359.9999, "360°"}, {5.710593137, "5°43'"}};
    for (auto [deg, want] : table)
        EXPECT_EQ(formatAngle(deg), want) << deg;
}

TEST(Linear, OrientationsMeasureAndPlaceTheLine) {
    struct Case {
        int orientation;
        double dx, dy;
        double measured;
        Point f1, f2;
    };
    // Points (50, 50) and (70, 60).
    const Case cases[] = {
        {0, 0, -20, 20, {50, 30}, {70, 30}},
        {1, 30, 0, 10, {80, 50}, {80, 60}},
        {2, -1, 2, std::sqrt(500.0), {50 - 1, 50 + 2}, {70 - 1, 60 + 2}},
        {3, 0, -20, 20, {50, 30}, {70, 30}},
        {4, -1, 2, std::sqrt(500.0), {50 - 1, 50 + 2}, {70 - 1, 60 + 2}},
    };
    for (const Case& c : cases) {
        LinearSolution s = solveLinear(linear(c.orientation, 50, 50, 70, 60, c.dx, c.dy));
        EXPECT_NEAR(s.measured, c.measured, 1e-9) << c.orientation;
        EXPECT_NEAR(s.f1.x, c.f1.x, 1e-9) << c.orientation;
        EXPECT_NEAR(s.f1.y, c.f1.y, 1e-9) << c.orientation;
        EXPECT_NEAR(s.f2.x, c.f2.x, 1e-9) << c.orientation;
        EXPECT_NEAR(s.f2.y, c.f2.y, 1e-9) << c.orientation;
    }
    LinearSolution fromSecond = solveLinear(linear(0, 50, 50, 70, 60, 0, -20, 2));
    EXPECT_NEAR(fromSecond.f1.y, 40, 1e-9);
}

// The shortcut's four sequences as KSLINDIMENSION_LT sends them.
std::int32_t linearShortcut(Bench& b, const kompas::LinDimRecord& geometry) {
    b.flags("_AUTONOMINAL");
    kompas::LinDimRecord r = geometry;
    r.drawing.arrow1 = r.drawing.arrow2 = 1;
    b.send(r.text);
    b.send(r.drawing);
    return b.send(r);
}

TEST(Linear, ShortcutWritesTheMeasuredValueWithArrows) {
    Bench b;
    int ref = linearShortcut(b, linear(0, 50, 50, 70, 60, 0, -20, 1));
    ASSERT_GT(ref, 0);
    const Object& o = obj(b, ref);
    EXPECT_EQ(o.kind, ObjectKind::LinearDimension);
    EXPECT_EQ(textsOf(o), std::vector<std::string>{"20"});
    EXPECT_EQ(count(o, 5), 2u) << "two filled arrowheads";
    EXPECT_EQ(count(o, 0), 3u) << "two extension lines and the dimension line";
    Text t = textItems(o).at(0);
    EXPECT_NEAR(t.at.y, 31, 1e-9) << "1 mm above the line";
    EXPECT_NEAR(t.height, 3.5, 1e-9);
}

TEST(Linear, StepByStepDimensionWithToleranceAndDeviations) {
    Bench b;
    EXPECT_EQ(b.flags("_PREFIX_TOLERANCE_DEVIATION"), 1);
    EXPECT_EQ(b.param("2 отв. \n18\nH7\n+0.025\n-0.010\nсм. п. 3"), 1);
    kompas::DimTextRecord t;
    t.sign = 1;
    EXPECT_EQ(b.send(t), 1);
    kompas::DimDrawingRecord d;
    d.arrow1 = d.arrow2 = 1;
    d.ext2Off = 1;
    EXPECT_EQ(b.send(d), 1);
    // No nominal flag: the nominal is the line after the prefix.
    int ref = b.send(linear(1, 0, 0, 0, 30, -15, 0));
    const Object& o = obj(b, ref);
    EXPECT_EQ(textsOf(o),
              (std::vector<std::string>{"2 отв. \u230018H7", "+0.025", "-0.010", "см. п. 3"}));
    EXPECT_EQ(count(o, 0), 2u) << "extension line 2 suppressed";
    std::vector<Text> texts = textItems(o);
    EXPECT_NEAR(texts[0].angle, 90, 1e-9) << "a vertical dimension reads from the right";
    EXPECT_LT(texts[2].height, texts[0].height) << "deviations are smaller";
}

TEST(Linear, SymmetricDeviationsReadAsPlusMinus) {
    Bench b;
    b.flags("_AUTONOMINAL_DEVIATION");
    b.param("+0.1\n-0.1");
    int ref = b.send(linear(0, 0, 0, 40, 0, 0, 10));
    EXPECT_EQ(textsOf(obj(b, ref)), std::vector<std::string>{"40\u00B10.1"});
}

TEST(Linear, ArrowTypesAndShelf) {
    Bench b;
    b.flags("_AUTONOMINAL");
    kompas::DimDrawingRecord d;
    d.arrow1 = 3, d.arrow2 = 4; // a tick and a dot
    b.send(d);
    const Object& o = obj(b, b.send(linear(0, 0, 0, 40, 0, 0, 10)));
    EXPECT_EQ(count(o, 5), 1u) << "the dot";
    EXPECT_EQ(count(o, 0), 4u) << "extension lines, dimension line and the tick";
    d.arrow1 = d.arrow2 = 1;
    d.shelfDir = 1, d.shelfAngle = 45, d.shelfLength = 10;
    b.send(d);
    const Object& s = obj(b, b.send(linear(0, 0, 0, 40, 0, 0, 10)));
    Text t = textItems(s).at(0);
    EXPECT_NEAR(t.angle, 0, 1e-9);
    EXPECT_NEAR(t.at.y, 10 + 10 * std::sqrt(0.5) + 1, 1e-9) << "on the shelf at the leader's end";
}

TEST(Angular, MeasuresTheSweepInItsDirection) {
    Bench b;
    b.flags("_AUTONOMINAL");
    kompas::AngDimRecord a;
    a.xc = 0, a.yc = 0, a.radius = 30, a.angle1 = 0, a.angle2 = 45.5, a.direction = 1;
    a.x1 = 10, a.y1 = 0;
    a.x2 = 10 * std::cos(0.794124), a.y2 = 10 * std::sin(0.794124);
    const Object& o = obj(b, b.send(a));
    EXPECT_EQ(o.kind, ObjectKind::AngularDimension);
    EXPECT_EQ(textsOf(o), std::vector<std::string>{"45°30'"});
    a.direction = -1;
    EXPECT_EQ(textsOf(obj(b, b.send(a))), std::vector<std::string>{"314°30'"});
    a.radius = 0;
    EXPECT_EQ(b.send(a), 0);
}

TEST(Circles, DiametralAndRadialMeasureTheCircle) {
    Bench b;
    b.flags("_AUTONOMINAL");
    kompas::DimTextRecord t;
    t.sign = 1;
    b.send(t);
    kompas::RadialDrawingRecord rd;
    rd.arrow1 = rd.arrow2 = 1;
    rd.angle = 30;
    b.send(rd);
    kompas::DiamDimRecord dd;
    dd.xc = 10, dd.yc = 10, dd.radius = 12.5;
    const Object& d = obj(b, b.send(dd));
    EXPECT_EQ(textsOf(d), std::vector<std::string>{"\u230025"});
    EXPECT_EQ(count(d, 5), 2u);
    EXPECT_NEAR(textItems(d).at(0).angle, 30, 1e-9);
    t.sign = 3;
    b.send(t);
    kompas::RadDimRecord r;
    r.xc = 0, r.yc = 0, r.radius = 8;
    const Object& ro = obj(b, b.send(r));
    EXPECT_EQ(textsOf(ro), std::vector<std::string>{"R8"});
    EXPECT_EQ(count(ro, 5), 1u);
    kompas::RadBreakDimRecord br;
    br.xc = 0, br.yc = -500, br.radius = 520;
    const Object& bo = obj(b, b.send(br));
    EXPECT_EQ(bo.kind, ObjectKind::BreakDimension);
    EXPECT_EQ(textsOf(bo), std::vector<std::string>{"R520"});
    EXPECT_EQ(count(bo, 0), 3u) << "the jogged line";
}

TEST(Dimensions, PartsStayUntilTheScriptSendsNewOnes) {
    Bench b;
    // Before any part: measured, arrows at both ends.
    const Object& first = obj(b, b.send(linear(0, 0, 0, 15, 0, 0, 8)));
    EXPECT_EQ(textsOf(first), std::vector<std::string>{"15"});
    EXPECT_EQ(count(first, 5), 2u);
    b.flags("_NOMINALOFF_PREFIX");
    b.param("Б");
    b.send(linear(0, 0, 0, 15, 0, 0, 8));
    const Object& third = obj(b, b.send(linear(0, 0, 0, 99, 0, 0, 8)));
    EXPECT_EQ(textsOf(third), std::vector<std::string>{"Б"});
}

TEST(Dimensions, FramedText) {
    Bench b;
    b.flags("_AUTONOMINAL_RECTTEXT");
    const Object& o = obj(b, b.send(linear(0, 0, 0, 30, 0, 0, 8)));
    EXPECT_EQ(count(o, 0), 3u + 4u) << "the frame's four sides";
}

} // namespace
} // namespace qm::testing
