// View, group and transformation commands; arguments are fetched first to last, except that
// KSCREATESHEETVIEW takes its name (argument 7) after argument 8.
#include "kompas/ks_register.h"

namespace qm::kompas {

namespace {

void ksCreateSheetView(KsArgs& a, KompasLink& link) {
    SheetViewRecord r;
    r.number = static_cast<std::int16_t>(a.low16(1));
    r.x = a.toDouble(2);
    r.y = a.toDouble(3);
    r.scale = a.toDouble(4);
    r.angle = a.toDouble(5);
    r.colour = a.toInt32(6);
    r.state = a.toInt32(8);
    std::string name = a.toText(7);
    link.sendText(cmdParamText, name);
    link.send(r);
}

void ksOpenView(KsArgs& a, KompasLink& link) {
    link.send(ViewNumberRecord{a.toInt32(1)});
}

void ksNewGroup(KsArgs& a, KompasLink& link) {
    link.send(GroupRecord{a.toUint8(1)});
}

void ksEndGroup(KompasLink& link) {
    link.sendRecord(cmdEndGroup, nullptr, 0);
}

void ksMoveObj(KsArgs& a, KompasLink& link) {
    MoveRecord r;
    r.ref = a.toInt32(1);
    r.dx = a.toDouble(2);
    r.dy = a.toDouble(3);
    link.send(r);
}

void ksRotateObj(KsArgs& a, KompasLink& link) {
    RotateRecord r;
    r.ref = a.toInt32(1);
    r.x = a.toDouble(2);
    r.y = a.toDouble(3);
    r.angle = a.toDouble(4);
    link.send(r);
}

void ksCopyObj(KsArgs& a, KompasLink& link) {
    CopyRecord r;
    r.ref = a.toInt32(1);
    r.x1 = a.toDouble(2);
    r.y1 = a.toDouble(3);
    r.x2 = a.toDouble(4);
    r.y2 = a.toDouble(5);
    r.scale = a.toDouble(6);
    r.angle = a.toDouble(7);
    link.send(r);
}

void ksSymmetryObj(KsArgs& a, KompasLink& link) {
    SymmetryRecord r;
    r.ref = a.toInt32(1);
    r.x1 = a.toDouble(2);
    r.y1 = a.toDouble(3);
    r.x2 = a.toDouble(4);
    r.y2 = a.toDouble(5);
    r.keep = a.lowByte(6);
    link.send(r);
}

} // namespace

void installViewCommands(CCompil& st, KompasLink& link) {
    addCommand(st, link, "KSCREATESHEETVIEW", ksCreateSheetView);
    addCommand(st, link, "KSOPENVIEW", ksOpenView);
    addCommand(st, link, "KSNEWGROUP", ksNewGroup);
    addCommand(st, link, "KSMOVEOBJ", ksMoveObj);
    addCommand(st, link, "KSROTATEOBJ", ksRotateObj);
    addCommand(st, link, "KSCOPYOBJ", ksCopyObj);
    addCommand(st, link, "KSSYMMETRYOBJ", ksSymmetryObj);
    addCommand(st, link, "KSENDGROUP", ksEndGroup);
}

} // namespace qm::kompas
