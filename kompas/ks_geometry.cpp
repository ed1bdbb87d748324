// Geometry and text commands. Each fetches its arguments in its own order (the last first, as
// these commands always have) and sends only after every conversion has succeeded.
#include "kompas/ks_register.h"

namespace qm::kompas {

namespace {

void ksLine(KsArgs& a, KompasLink& link) {
    LineRecord r;
    r.angle = a.toDouble(3);
    r.y = a.toDouble(2);
    r.x = a.toDouble(1);
    link.send(r);
}

void ksLineSeg(KsArgs& a, KompasLink& link) {
    SegmentRecord r;
    r.style = a.toUint32(5);
    r.y2 = a.toDouble(4);
    r.x2 = a.toDouble(3);
    r.y1 = a.toDouble(2);
    r.x1 = a.toDouble(1);
    link.send(r);
}

void ksCircle(KsArgs& a, KompasLink& link) {
    CircleRecord r;
    r.style = a.toUint32(4);
    r.radius = a.toDouble(3);
    r.yc = a.toDouble(2);
    r.xc = a.toDouble(1);
    link.send(r);
}

void ksArcByAngle(KsArgs& a, KompasLink& link) {
    ArcRecord r;
    r.style = a.toUint32(7);
    r.direction = a.toInt16(6);
    r.angle2 = a.toDouble(5);
    r.angle1 = a.toDouble(4);
    r.radius = a.toDouble(3);
    r.yc = a.toDouble(2);
    r.xc = a.toDouble(1);
    link.send(r);
}

// KSHATCH and KSHATCHP, arguments last to first: the `more` numbers, step, angle, the style.
template <class R> void ksHatchRecord(KsArgs& a, KompasLink& link) {
    R r;
    const int count = static_cast<int>(sizeof r.more / sizeof r.more[0]);
    for (int k = 3 + count; k >= 4; --k)
        r.more[k - 4] = a.toDouble(k);
    r.step = a.toDouble(3);
    r.angle = a.toDouble(2);
    r.style = a.toUint16(1);
    link.send(r);
}

// The text goes first as the parameter text, then the record that places it.
void ksSText(KsArgs& a, KompasLink& link) {
    std::string text = a.toText(7);
    TextRecord r;
    r.flags = a.toUint32(6);
    r.narrowing = a.toDouble(5);
    r.height = a.toDouble(4);
    r.angle = a.toDouble(3);
    r.y = a.toDouble(2);
    r.x = a.toDouble(1);
    link.sendText(cmdParamText, text);
    link.send(r);
}

// All arguments as lines of one parameter text, separated by line feeds.
void ksSetKompasParamString(KsArgs& a, KompasLink& link) {
    std::string text;
    for (int k = 1, n = a.count(); k <= n; ++k)
        text += a.toText(k) + '\n';
    if (!text.empty() && text.back() == '\n') text.pop_back();
    link.sendText(cmdParamText, text);
}

void ksEndObj(KompasLink& link) {
    link.sendRecord(cmdEndObj, nullptr, 0);
}

} // namespace

void installGeometryCommands(CCompil& st, KompasLink& link) {
    addCommand(st, link, "KSSTEXT", ksSText);
    addCommand(st, link, "KSLINE", ksLine);
    addCommand(st, link, "KSLINESEG", ksLineSeg);
    addCommand(st, link, "KSCIRCLE", ksCircle);
    addCommand(st, link, "KSARCBYANGLE", ksArcByAngle);
    addCommand(st, link, "KSHATCH", ksHatchRecord<HatchRecord>);
    addCommand(st, link, "KSHATCHP", ksHatchRecord<HatchPRecord>);
    addCommand(st, link, "KSSETKOMPASPARAMSTRING", ksSetKompasParamString);
    addCommand(st, link, "KSENDOBJ", ksEndObj);
}

} // namespace qm::kompas
