// Dimension parts, dimensions and roughness marks. Arguments are fetched first to last. The
// dimension commands carry only their geometry; text and drawing parts travel separately.
#include "kompas/ks_register.h"

namespace qm::kompas {

namespace {

void ksSetStructDimTextBitFlag(KsArgs& a, KompasLink& link) {
    link.sendText(cmdBitFlagText, a.toText(1));
}

void ksSetStructDimText(KsArgs& a, KompasLink& link) {
    DimTextRecord r;
    r.style = static_cast<std::int16_t>(a.low16(1));
    r.sign = a.toInt32(2);
    link.send(r);
}

void ksSetStructDimDrawing(KsArgs& a, KompasLink& link) {
    DimDrawingRecord r;
    r.ext1Off = a.lowByte(1);
    r.ext2Off = a.lowByte(2);
    r.arrow1 = a.lowByte(3);
    r.arrow2 = a.lowByte(4);
    r.textPos = a.toInt32(5);
    r.textBase = a.lowByte(6);
    r.shelfDir = a.toInt32(7);
    r.shelfAngle = a.toDouble(8);
    r.shelfLength = a.toInt32(9);
    link.send(r);
}

void ksSetStructRDimDrawing(KsArgs& a, KompasLink& link) {
    RadialDrawingRecord r;
    r.arrow1 = a.lowByte(1);
    r.arrow2 = a.lowByte(2);
    r.textPos = a.toInt32(3);
    r.shelfDir = a.toInt32(4);
    r.angle = a.toDouble(5);
    link.send(r);
}

void ksSetStructRBreakDimDrawing(KsArgs& a, KompasLink& link) {
    BreakDrawingRecord r;
    r.arrow = a.lowByte(1);
    r.angle = a.toDouble(2);
    r.textPos = a.toInt32(3);
    link.send(r);
}

void ksLinDimension(KsArgs& a, KompasLink& link) {
    LinDimRecord r;
    r.orientation = a.lowByte(1);
    r.x1 = a.toDouble(2);
    r.y1 = a.toDouble(3);
    r.x2 = a.toDouble(4);
    r.y2 = a.toDouble(5);
    r.dx = a.toDouble(6);
    r.dy = a.toDouble(7);
    r.basePoint = a.lowByte(8);
    link.send(r);
}

void ksAngDimension(KsArgs& a, KompasLink& link) {
    AngDimRecord r;
    readAngularGeometry(a, r);
    link.send(r);
}

template <class R> void ksCircleDimension(KsArgs& a, KompasLink& link) {
    R r;
    r.xc = a.toDouble(1);
    r.yc = a.toDouble(2);
    r.radius = a.toDouble(3);
    link.send(r);
}

void ksRough(KsArgs& a, KompasLink& link) {
    RoughRecord r;
    r.signType = a.toUint8(1);
    r.contour = a.toUint8(2);
    r.x = a.toDouble(3);
    r.y = a.toDouble(4);
    r.angle = a.toDouble(5);
    r.lines1 = a.lowByte(6);
    r.lines2 = a.lowByte(7);
    r.lines3 = a.lowByte(8);
    r.place4 = a.lowByte(9);
    r.leaderDir = a.toInt32(10);
    r.leaderAngle = a.toDouble(11);
    r.leaderLength = a.toInt32(12);
    link.send(r);
}

} // namespace

void readAngularGeometry(KsArgs& a, AngDimRecord& r) {
    r.xc = a.toDouble(1);
    r.yc = a.toDouble(2);
    r.radius = a.toDouble(3);
    r.angle1 = a.toDouble(4);
    r.angle2 = a.toDouble(5);
    r.direction = a.toInt32(6);
    r.x1 = a.toDouble(7);
    r.y1 = a.toDouble(8);
    r.x2 = a.toDouble(9);
    r.y2 = a.toDouble(10);
}

void installDimensionCommands(CCompil& st, KompasLink& link) {
    addCommand(st, link, "KSSETSTRUCTDIMTEXT_BITFLAG", ksSetStructDimTextBitFlag);
    addCommand(st, link, "KSSETSTRUCTDIMTEXT", ksSetStructDimText);
    addCommand(st, link, "KSSETSTRUCTDIMDRAWING", ksSetStructDimDrawing);
    addCommand(st, link, "KSSETSTRUCTRDIMDRAWING", ksSetStructRDimDrawing);
    addCommand(st, link, "KSSETSTRUCTRBREAKDIMDRAWING", ksSetStructRBreakDimDrawing);
    addCommand(st, link, "KSLINDIMENSION", ksLinDimension);
    addCommand(st, link, "KSANGDIMENSION", ksAngDimension);
    addCommand(st, link, "KSRADDIMENSION", ksCircleDimension<RadDimRecord>);
    addCommand(st, link, "KSRADBREAKDIMENSION", ksCircleDimension<RadBreakDimRecord>);
    addCommand(st, link, "KSDIAMDIMENSION", ksCircleDimension<DiamDimRecord>);
    addCommand(st, link, "KSROUGH", ksRough);
    installShortcutCommands(st, link);
}

} // namespace qm::kompas
