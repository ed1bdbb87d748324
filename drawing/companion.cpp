#include "drawing/companion.h"

#include "drawing/dxf_writer.h"
#include "drawing/svg_writer.h"
#include "kompas/protocol.h"
#include "text/cp1251.h"
#include "text/lines.h"

#include <exception>
#include <sstream>

namespace qm {

std::int32_t Companion::send(std::uint32_t msgId, std::uint32_t wParam, std::uint32_t lParam,
                             const kompas::Origin& origin) {
    if (msgId == kompas::countMessage) {
        assembler_.count(lParam);
        return 0;
    }
    if (msgId == kompas::chunkMessage) {
        assembler_.chunk(wParam, lParam);
        return 0;
    }
    Record record;
    bool whole = assembler_.finish(record);
    const kompas::CommandInfo* info = kompas::commandInfo(msgId);
    if (!whole || !info) return 0;
    switch (info->kind) {
    case kompas::RecordKind::None:
        if (!record.empty()) return 0;
        break;
    case kompas::RecordKind::Fixed:
        if (record.size() != info->size) return 0;
        break;
    case kompas::RecordKind::Text:
        if (record.empty() || record.back() != 0) return 0;
        break;
    }
    SourceLocation where;
    where.section = origin.section;
    where.line = origin.line;
    try {
        return execute(msgId, record, where);
    } catch (const std::exception&) {
        return 0; // a command we cannot carry out changes nothing and answers 0
    }
}

std::int32_t Companion::execute(std::uint32_t id, const Record& record,
                                const SourceLocation& where) {
    switch (id) {
    case kompas::cmdParamText:
        paramText_ = kompas::unpackText(record.data(), record.size());
        return 1;
    case kompas::cmdBitFlagText:
        bitFlags_ = kompas::unpackText(record.data(), record.size());
        return 1;
    case kompas::cmdLine:
    case kompas::cmdLineSeg:
    case kompas::cmdCircle:
    case kompas::cmdArc:
    case kompas::cmdHatch:
    case kompas::cmdHatchP:
    case kompas::cmdEndObj:
    case kompas::cmdText:
        return geometry(id, record, where);
    case kompas::cmdSheetView:
    case kompas::cmdOpenView:
    case kompas::cmdNewGroup:
    case kompas::cmdEndGroup:
    case kompas::cmdMove:
    case kompas::cmdRotate:
    case kompas::cmdCopy:
    case kompas::cmdSymmetry:
        return structure(id, record, where);
    default:
        return annotation(id, record, where);
    }
}

double Companion::unitsPerMm() const {
    return 1.0 / drawing_.currentView().scale;
}

std::vector<std::string> Companion::paramLines() const {
    std::vector<std::string> lines;
    std::string utf8 = cp1251ToUtf8(paramText_);
    std::size_t start = 0;
    while (true) {
        std::size_t lf = utf8.find('\n', start);
        std::string line = utf8.substr(start, lf == std::string::npos ? lf : lf - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        if (lf == std::string::npos) break;
        start = lf + 1;
    }
    if (lines.size() == 1 && lines[0].empty()) lines.clear();
    return lines;
}

void Companion::writeSvg(std::ostream& out) const {
    drawing::writeSvg(drawing_, out);
}

void Companion::writeDxf(std::ostream& out) const {
    drawing::writeDxf(drawing_, out);
}

void Companion::saveSvg(const std::string& path) const {
    std::ostringstream s;
    writeSvg(s);
    writeFileAtomically(path, s.str());
}

void Companion::saveDxf(const std::string& path) const {
    std::ostringstream s;
    writeDxf(s);
    writeFileAtomically(path, s.str());
}

} // namespace qm
