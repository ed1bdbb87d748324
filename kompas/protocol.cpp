#include "kompas/protocol.h"

#include <algorithm>

namespace qm::kompas {

namespace {

template <class R> CommandInfo fixed(const char* name) {
    return {R::id, RecordKind::Fixed, R::size, name};
}

std::vector<CommandInfo> buildTable() {
    return {
        fixed<LineRecord>("line"),
        fixed<SegmentRecord>("segment"),
        fixed<CircleRecord>("circle"),
        fixed<ArcRecord>("arc"),
        fixed<HatchRecord>("hatch"),
        fixed<HatchPRecord>("hatchp"),
        {cmdEndObj, RecordKind::None, 0, "end object"},
        {cmdBitFlagText, RecordKind::Text, 0, "bit-flag text"},
        fixed<DimTextRecord>("dimension text"),
        fixed<DimDrawingRecord>("dimension drawing"),
        fixed<RadialDrawingRecord>("radial drawing"),
        fixed<BreakDrawingRecord>("break drawing"),
        fixed<LinDimRecord>("linear dimension"),
        fixed<AngDimRecord>("angular dimension"),
        fixed<DiamDimRecord>("diametral dimension"),
        fixed<RadDimRecord>("radial dimension"),
        fixed<RadBreakDimRecord>("radial break dimension"),
        fixed<RoughRecord>("roughness"),
        fixed<TextRecord>("text"),
        {cmdParamText, RecordKind::Text, 0, "parameter text"},
        fixed<SheetViewRecord>("sheet view"),
        fixed<ViewNumberRecord>("view number"),
        fixed<GroupRecord>("group"),
        {cmdEndGroup, RecordKind::None, 0, "end group"},
        fixed<MoveRecord>("move"),
        fixed<RotateRecord>("rotate"),
        fixed<CopyRecord>("copy"),
        fixed<SymmetryRecord>("symmetry"),
    };
}

} // namespace

const std::vector<CommandInfo>& commandTable() {
    static const std::vector<CommandInfo> table = buildTable();
    return table;
}

const CommandInfo* commandInfo(std::uint32_t id) {
    const auto& table = commandTable();
    auto it =
        std::find_if(table.begin(), table.end(), [id](const CommandInfo& c) { return c.id == id; });
    return it == table.end() ? nullptr : &*it;
}

std::size_t chunkCount(std::size_t count) {
    return count / 8 + 1;
}

std::pair<std::uint32_t, std::uint32_t> chunkWords(const std::uint8_t* record, std::size_t count,
                                                   std::size_t k) {
    std::uint32_t words[2] = {0, 0};
    for (std::size_t i = 0; i < 8; ++i) {
        std::size_t at = 8 * k + i;
        if (at < count) words[i / 4] |= std::uint32_t(record[at]) << (8 * (i % 4));
    }
    return {words[0], words[1]};
}

std::array<std::uint8_t, 8> chunkBytes(std::uint32_t wParam, std::uint32_t lParam) {
    std::array<std::uint8_t, 8> b{};
    for (int i = 0; i < 4; ++i) {
        b[i] = static_cast<std::uint8_t>(wParam >> (8 * i));
        b[4 + i] = static_cast<std::uint8_t>(lParam >> (8 * i));
    }
    return b;
}

Bytes packText(const std::string& text) {
    Bytes b(text.begin(), text.end());
    b.push_back(0);
    return b;
}

std::string unpackText(const std::uint8_t* record, std::size_t count) {
    if (!record) return {};
    const std::uint8_t* end = std::find(record, record + count, std::uint8_t(0));
    return std::string(record, end);
}

} // namespace qm::kompas
