#include "drawing/assembler.h"

namespace qm::drawing {

void RecordAssembler::count(std::uint32_t bytes) {
    counted_ = true;
    expected_ = bytes;
    broken_ = expected_ > maxRecord;
    chunks_ = 0;
    bytes_.clear();
}

void RecordAssembler::chunk(std::uint32_t wParam, std::uint32_t lParam) {
    if (!counted_) return; // a chunk without a count: dropped, the command will find no count
    if (broken_) return;
    const std::size_t wanted = expected_ == 0 ? 0 : expected_ / 8 + 1;
    if (chunks_ >= wanted) {
        broken_ = true; // more chunks than the count allows
        return;
    }
    ++chunks_;
    for (int i = 0; i < 4; ++i)
        if (bytes_.size() < expected_)
            bytes_.push_back(static_cast<std::uint8_t>(wParam >> (8 * i)));
    for (int i = 0; i < 4; ++i)
        if (bytes_.size() < expected_)
            bytes_.push_back(static_cast<std::uint8_t>(lParam >> (8 * i)));
}

bool RecordAssembler::finish(std::vector<std::uint8_t>& record) {
    const std::size_t wanted = expected_ == 0 ? 0 : expected_ / 8 + 1;
    bool ok = counted_ && !broken_ && chunks_ == wanted && bytes_.size() == expected_;
    if (ok)
        record.swap(bytes_);
    else
        record.clear();
    counted_ = false;
    broken_ = false;
    expected_ = 0;
    chunks_ = 0;
    bytes_.clear();
    return ok;
}

} // namespace qm::drawing
