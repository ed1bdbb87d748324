// A companion with the real sending side in front of it: records go through the link's count,
// chunk and command messages exactly as the KS commands send them.
#pragma once

#include "drawing/companion.h"
#include "kompas/link.h"
#include "kompas/protocol.h"
#include "text/cp1251.h"

#include <sstream>
#include <string>

namespace qm::testing {

struct Bench {
    Companion companion;
    kompas::KompasLink link;

    Bench() {
        link.setTransport(&companion);
        link.findCompanion();
        at(1);
    }
    // The statement that sends from now on.
    void at(int line, const char* section = "основной код") {
        link.current = kompas::Origin{ru(section), line};
    }
    template <class R> std::int32_t send(const R& record) {
        link.send(record);
        return link.lastResult;
    }
    std::int32_t command(std::uint32_t id) {
        link.sendRecord(id, nullptr, 0);
        return link.lastResult;
    }
    // Texts are given as UTF-8 source literals and travel as Windows-1251.
    std::int32_t param(const char* utf8) {
        link.sendText(kompas::cmdParamText, ru(utf8));
        return link.lastResult;
    }
    std::int32_t flags(const std::string& f) {
        link.sendText(kompas::cmdBitFlagText, f);
        return link.lastResult;
    }
    std::string svg() const {
        std::ostringstream s;
        companion.writeSvg(s);
        return s.str();
    }
    std::string dxf() const {
        std::ostringstream s;
        companion.writeDxf(s);
        return s.str();
    }
};

inline kompas::SegmentRecord seg(double x1, double y1, double x2, double y2,
                                 std::uint32_t style = 1) {
    kompas::SegmentRecord r;
    r.x1 = x1, r.y1 = y1, r.x2 = x2, r.y2 = y2, r.style = style;
    return r;
}

inline kompas::CircleRecord circle(double x, double y, double radius, std::uint32_t style = 1) {
    kompas::CircleRecord r;
    r.xc = x, r.yc = y, r.radius = radius, r.style = style;
    return r;
}

inline kompas::ArcRecord arc(double x, double y, double radius, double a1, double a2, int direction,
                             std::uint32_t style = 1) {
    kompas::ArcRecord r;
    r.xc = x, r.yc = y, r.radius = radius, r.angle1 = a1, r.angle2 = a2;
    r.direction = direction, r.style = style;
    return r;
}

inline kompas::TextRecord text(double x, double y, double angle = 0, double height = 5) {
    kompas::TextRecord r;
    r.x = x, r.y = y, r.angle = angle, r.height = height, r.narrowing = 1;
    return r;
}

inline kompas::LinDimRecord linear(int orientation, double x1, double y1, double x2, double y2,
                                   double dx, double dy, int base = 1) {
    kompas::LinDimRecord r;
    r.orientation = static_cast<std::uint8_t>(orientation);
    r.x1 = x1, r.y1 = y1, r.x2 = x2, r.y2 = y2, r.dx = dx, r.dy = dy;
    r.basePoint = static_cast<std::uint8_t>(base);
    return r;
}

} // namespace qm::testing
