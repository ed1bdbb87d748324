// A transport for tests: keeps every message and answers with a chosen function.
#pragma once

#include "kompas/transport.h"

#include <functional>
#include <vector>

namespace qm::kompas::test {

struct Message {
    std::uint32_t id, wParam, lParam;
    Origin origin;
    bool operator==(const Message& o) const {
        return id == o.id && wParam == o.wParam && lParam == o.lParam;
    }
};

class Capture : public Transport {
  public:
    // Default answers: count and chunk messages 7777 (the sender must ignore them), a command
    // its id plus 100000, so each result shows which message produced it.
    std::function<std::int32_t(std::uint32_t)> answer = [](std::uint32_t id) {
        return id == 1125 || id == 1126 ? 7777 : static_cast<std::int32_t>(id) + 100000;
    };
    std::vector<Message> messages;

    std::int32_t send(std::uint32_t id, std::uint32_t w, std::uint32_t l,
                      const Origin& origin) override {
        messages.push_back({id, w, l, origin});
        return answer(id);
    }
};

} // namespace qm::kompas::test
