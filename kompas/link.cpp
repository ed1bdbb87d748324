#include "kompas/link.h"

namespace qm::kompas {

void KompasLink::findCompanion() {
    companionWindow_ = installed_;
}

// A message to a companion that is not there goes nowhere and answers 0.
std::int32_t KompasLink::message(std::uint32_t id, std::uint32_t wParam, std::uint32_t lParam) {
    return companionWindow_ ? companionWindow_->send(id, wParam, lParam, current) : 0;
}

void KompasLink::sendRecord(std::uint32_t commandId, const std::uint8_t* record,
                            std::size_t count) {
    message(countMessage, 0, static_cast<std::uint32_t>(count));
    if (record) {
        for (std::size_t k = 0, n = chunkCount(count); k < n; ++k) {
            auto [w, l] = chunkWords(record, count, k);
            message(chunkMessage, w, l);
        }
    }
    lastResult = message(commandId, 0, 0);
}

void KompasLink::sendText(std::uint32_t textId, const std::string& text) {
    textBuffer_ = text;
    // c_str() carries the terminating zero that belongs to the record.
    sendRecord(textId, reinterpret_cast<const std::uint8_t*>(textBuffer_.c_str()),
               textBuffer_.size() + 1);
}

KompasLink& kompasLink() {
    static KompasLink link;
    return link;
}

} // namespace qm::kompas
