#include "kompas/transport.h"

#include <charconv>

namespace qm::kompas {

namespace {
void appendNumber(std::string& out, std::uint32_t v) {
    char buf[12];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}
} // namespace

std::string traceLine(std::uint32_t msgId, std::uint32_t wParam, std::uint32_t lParam) {
    std::string line;
    appendNumber(line, msgId);
    line += ' ';
    appendNumber(line, wParam);
    line += ' ';
    appendNumber(line, lParam);
    return line;
}

std::int32_t TraceRecorder::send(std::uint32_t msgId, std::uint32_t wParam, std::uint32_t lParam,
                                 const Origin& origin) {
    out_ << traceLine(msgId, wParam, lParam) << '\n';
    return next_ ? next_->send(msgId, wParam, lParam, origin) : 0;
}

} // namespace qm::kompas
