// The dimension parts, the dimensions and the roughness marks of the companion.
#include "drawing/companion.h"
#include "drawing/dimensions.h"
#include "drawing/roughness.h"
#include "drawing/values.h"
#include "kompas/protocol.h"

namespace qm {

using namespace drawing;

std::int32_t Companion::annotation(std::uint32_t id, const Record& r, const SourceLocation& where) {
    switch (id) {
    case kompas::cmdDimText:
        return kompas::unpack(r.data(), r.size(), dimText_) ? 1 : 0;
    case kompas::cmdDimDrawing:
        return kompas::unpack(r.data(), r.size(), dimDrawing_) ? 1 : 0;
    case kompas::cmdRadialDrawing:
        return kompas::unpack(r.data(), r.size(), radialDrawing_) ? 1 : 0;
    case kompas::cmdBreakDrawing:
        return kompas::unpack(r.data(), r.size(), breakDrawing_) ? 1 : 0;
    case kompas::cmdLinDimension:
        return linearDimension(r, where);
    case kompas::cmdAngDimension:
        return angularDimension(r, where);
    case kompas::cmdDiamDimension:
    case kompas::cmdRadDimension:
        return circleDimension(id, r, where);
    case kompas::cmdRadBreakDimension:
        return breakDimension(r, where);
    case kompas::cmdRough:
        return roughness(r, where);
    default:
        return 0;
    }
}

namespace {
bool saneDrawing(const kompas::DimDrawingRecord& d) {
    return sane({d.shelfAngle});
}
} // namespace

std::int32_t Companion::linearDimension(const Record& r, const SourceLocation& where) {
    kompas::LinDimRecord d;
    if (!kompas::unpack(r.data(), r.size(), d) || !sane({d.x1, d.y1, d.x2, d.y2, d.dx, d.dy}) ||
        !saneDrawing(dimDrawing_))
        return 0;
    LinearSolution s = solveLinear(d);
    DimensionLabel label = composeLabel(parseDimFlags(bitFlags_), paramLines(), dimText_.sign,
                                        formatLength(s.measured));
    return drawing_.add(ObjectKind::LinearDimension,
                        buildLinear(d, dimDrawing_, label, unitsPerMm()), where);
}

std::int32_t Companion::angularDimension(const Record& r, const SourceLocation& where) {
    kompas::AngDimRecord d;
    if (!kompas::unpack(r.data(), r.size(), d) ||
        !sane({d.xc, d.yc, d.radius, d.angle1, d.angle2, d.x1, d.y1, d.x2, d.y2}) ||
        !(d.radius > 0) || !saneDrawing(dimDrawing_))
        return 0;
    DimensionLabel label = composeLabel(parseDimFlags(bitFlags_), paramLines(), dimText_.sign,
                                        formatAngle(measuredAngle(d)));
    return drawing_.add(ObjectKind::AngularDimension,
                        buildAngular(d, dimDrawing_, label, unitsPerMm()), where);
}

std::int32_t Companion::circleDimension(std::uint32_t id, const Record& r,
                                        const SourceLocation& where) {
    kompas::CircleDimRecord d;
    if (!kompas::unpack(r.data(), r.size(), d) || !sane({d.xc, d.yc, d.radius}) ||
        !(d.radius > 0) || !sane({radialDrawing_.angle}))
        return 0;
    bool diametral = id == kompas::cmdDiamDimension;
    DimensionLabel label = composeLabel(parseDimFlags(bitFlags_), paramLines(), dimText_.sign,
                                        formatLength(diametral ? 2 * d.radius : d.radius));
    Point c{d.xc, d.yc};
    double u = unitsPerMm();
    if (diametral)
        return drawing_.add(ObjectKind::DiametralDimension,
                            buildDiametral(c, d.radius, radialDrawing_, label, u), where);
    return drawing_.add(ObjectKind::RadialDimension,
                        buildRadial(c, d.radius, radialDrawing_, label, u), where);
}

std::int32_t Companion::breakDimension(const Record& r, const SourceLocation& where) {
    kompas::RadBreakDimRecord d;
    if (!kompas::unpack(r.data(), r.size(), d) || !sane({d.xc, d.yc, d.radius}) ||
        !(d.radius > 0) || !sane({breakDrawing_.angle}))
        return 0;
    DimensionLabel label =
        composeLabel(parseDimFlags(bitFlags_), paramLines(), dimText_.sign, formatLength(d.radius));
    return drawing_.add(
        ObjectKind::BreakDimension,
        buildRadialBreak({d.xc, d.yc}, d.radius, breakDrawing_, label, unitsPerMm()), where);
}

std::int32_t Companion::roughness(const Record& r, const SourceLocation& where) {
    kompas::RoughRecord d;
    if (!kompas::unpack(r.data(), r.size(), d) || !sane({d.x, d.y, d.angle, d.leaderAngle}))
        return 0;
    RoughnessTexts texts = shareRoughnessTexts(paramLines(), d);
    return drawing_.add(ObjectKind::Roughness, buildRoughness(d, texts, unitsPerMm()), where);
}

} // namespace qm
