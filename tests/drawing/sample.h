// One drawing with every kind of object, for the writer tests and the file checks.
#pragma once

#include "bench.h"

namespace qm::testing {

inline void drawSample(Bench& b) {
    // A shaft half-profile with chamfers and its axis.
    b.at(3);
    b.send(seg(0, 0, 0, 18));
    b.send(seg(0, 18, 2, 20));
    b.send(seg(2, 20, 60, 20));
    b.send(seg(60, 20, 60, 25));
    b.send(seg(60, 25, 100, 25));
    b.send(arc(100, 20, 5, 0, 90, 1));
    b.send(seg(105, 20, 105, 0));
    b.send(seg(-5, 0, 110, 0, 3));
    b.send(seg(10, 5, 50, 5, 4));
    b.send(seg(10, 8, 50, 8, 7));
    b.send(seg(10, 11, 50, 11, 8));
    b.send(circle(80, 12, 4, 2));
    b.at(4);
    kompas::LineRecord aux;
    aux.x = 0, aux.y = 0, aux.angle = 30;
    b.send(aux);
    // A hatched section with a hole.
    b.at(5, "Unit2");
    kompas::HatchRecord h;
    h.angle = 45, h.step = 2;
    b.send(h);
    b.send(seg(0, -40, 30, -40));
    b.send(seg(30, -40, 30, -10));
    b.send(arc(0, -10, 30, 0, 90, 1));
    b.send(seg(0, 20, 0, -40));
    b.send(circle(15, -25, 5));
    b.command(kompas::cmdEndObj);
    kompas::HatchRecord cross;
    cross.style = 1, cross.angle = 45, cross.step = 3;
    b.send(cross);
    b.send(seg(50, -40, 70, -40));
    b.send(seg(70, -40, 70, -20));
    b.send(arc(60, -20, 10, 0, 180, -1)); // a notch: clockwise through (60, -30)
    b.send(seg(50, -20, 50, -40));
    b.command(kompas::cmdEndObj);
    // Texts and annotations.
    b.at(6);
    b.param("Вал ступенчатый");
    kompas::TextRecord t = text(0, 40, 0, 5);
    t.flags = 0x40;
    b.send(t);
    b.flags("_AUTONOMINAL_TOLERANCE_DEVIATION");
    b.param("h7\n0\n-0.025");
    kompas::DimTextRecord dt;
    dt.sign = 1;
    b.send(dt);
    kompas::DimDrawingRecord dd;
    dd.arrow1 = dd.arrow2 = 1;
    b.send(dd);
    b.send(linear(1, 80, 0, 80, 25, 15, 0));
    kompas::AngDimRecord ang;
    ang.radius = 25, ang.angle1 = 0, ang.angle2 = 45, ang.direction = 1;
    ang.x1 = 2, ang.y1 = 0, ang.x2 = 2, ang.y2 = 2;
    b.flags("_AUTONOMINAL");
    b.param("");
    dt.sign = 0;
    b.send(dt);
    b.send(ang);
    dt.sign = 3;
    b.send(dt);
    kompas::RadDimRecord rad;
    rad.xc = 100, rad.yc = 20, rad.radius = 5;
    b.send(rad);
    b.param("Ra 0.8\nШлифовать");
    kompas::RoughRecord r;
    r.signType = 1, r.x = 30, r.y = 20, r.lines1 = 1, r.lines2 = 1;
    b.send(r);
    // A group rotated and mirrored.
    kompas::GroupRecord g;
    int group = b.send(g);
    b.send(seg(120, 0, 140, 0));
    b.send(seg(140, 0, 140, 10));
    b.command(kompas::cmdEndGroup);
    kompas::RotateRecord rot;
    rot.ref = group, rot.x = 120, rot.y = 0, rot.angle = 30;
    b.send(rot);
    kompas::SymmetryRecord m;
    m.ref = group, m.x1 = 150, m.y1 = 0, m.x2 = 150, m.y2 = 1, m.keep = 1;
    b.send(m);
    // A view at half scale.
    b.param("Вид Б");
    kompas::SheetViewRecord v;
    v.number = 2, v.x = 200, v.y = 0, v.scale = 0.5, v.angle = 0;
    b.send(v);
    b.send(circle(0, 0, 20));
}

} // namespace qm::testing
