// The one-line dimensions (names ending in _LT): one full record with fixed settings, sent as its
// parts (flags, text part, drawing part) and then whole. All arguments are converted, first to
// last, before anything is sent. No parameter text is sent: the texts are what the script left.
#include "kompas/ks_register.h"

namespace qm::kompas {

namespace {

const char* const allFlags = "_AUTONOMINAL_PREFIX_TOLERANCE_DEVIATION_UNIT";

void ksLinDimensionLt(KsArgs& a, KompasLink& link) {
    LinDimRecord r;
    r.orientation = a.toUint8(1);
    r.x1 = a.toDouble(2);
    r.y1 = a.toDouble(3);
    r.x2 = a.toDouble(4);
    r.y2 = a.toDouble(5);
    r.dx = a.toDouble(6);
    r.dy = a.toDouble(7);
    r.basePoint = a.toUint8(8);
    r.text.sign = static_cast<std::int32_t>(a.toUint32(9));
    r.drawing.arrow1 = r.drawing.arrow2 = 1;
    link.sendText(cmdBitFlagText, "_AUTONOMINAL");
    link.send(r.text);
    link.send(r.drawing);
    link.send(r);
}

// The fixed settings of the angular and circle shortcuts, then the parts and the whole record.
template <class R> void sendShortcut(R& r, KompasLink& link) {
    r.text.shortcut = 1;
    r.drawing.arrow1 = r.drawing.arrow2 = 1;
    link.sendText(cmdBitFlagText, allFlags);
    link.send(r.text);
    link.send(r.drawing);
    link.send(r);
}

void ksAngDimensionLt(KsArgs& a, KompasLink& link) {
    AngDimRecord r;
    readAngularGeometry(a, r);
    r.text.sign = static_cast<std::int32_t>(a.toUint32(11));
    sendShortcut(r, link);
}

// Diametral and radial: argument 4 is the drawing part's angle, argument 5 the sign.
template <class R> void ksCircleDimensionLt(KsArgs& a, KompasLink& link) {
    R r;
    r.xc = a.toDouble(1);
    r.yc = a.toDouble(2);
    r.radius = a.toDouble(3);
    r.drawing.angle = a.toDouble(4);
    r.text.sign = static_cast<std::int32_t>(a.toUint32(5));
    sendShortcut(r, link);
}

} // namespace

void installShortcutCommands(CCompil& st, KompasLink& link) {
    addCommand(st, link, "KSLINDIMENSION_LT", ksLinDimensionLt);
    addCommand(st, link, "KSANGDIMENSION_LT", ksAngDimensionLt);
    addCommand(st, link, "KSDIAMDIMENSION_LT", ksCircleDimensionLt<DiamDimRecord>);
    addCommand(st, link, "KSRADDIMENSION_LT", ksCircleDimensionLt<RadDimRecord>);
}

} // namespace qm::kompas
