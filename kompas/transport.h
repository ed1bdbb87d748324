// Who listens to the drawing messages. On the desktop of old this was a companion window; here it
// is whatever implements Transport: nothing at all, a recorder of the message stream, our own
// companion (drawing/), or a chain of them (a recorder in front of the companion).
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace qm::kompas {

// The statement that sends a message: its section ("Unit1".."Unit11", the main code, the
// declarations; Windows-1251) and its 1-based line; line 0 when unknown (a tool window, a test).
// It rides beside the message and never changes the bytes on the wire.
struct Origin {
    std::string section;
    int line = 0;
    bool known() const { return line > 0; }
};

class Transport {
  public:
    virtual ~Transport() = default;
    // One synchronous message (see kompas/protocol.h for the sequences). Returns the answer;
    // only the answer of a command message is kept by the sender, as the command's result.
    virtual std::int32_t send(std::uint32_t msgId, std::uint32_t wParam, std::uint32_t lParam,
                              const Origin& origin) = 0;
};

// No companion: every message goes nowhere and answers 0.
class NoCompanion : public Transport {
  public:
    std::int32_t send(std::uint32_t, std::uint32_t, std::uint32_t, const Origin&) override {
        return 0;
    }
};

// Writes one line per message, "<id> <wParam> <lParam>" in decimal (unsigned 32-bit) and "\n",
// then forwards the message to `next` and returns its answer (0 without a next transport).
// The stream must outlive the recorder; numbers never depend on the process locale.
class TraceRecorder : public Transport {
  public:
    explicit TraceRecorder(std::ostream& out, Transport* next = nullptr) : out_(out), next_(next) {}
    std::int32_t send(std::uint32_t msgId, std::uint32_t wParam, std::uint32_t lParam,
                      const Origin& origin) override;
    void setNext(Transport* next) { next_ = next; }

  private:
    std::ostream& out_;
    Transport* next_;
};

// The trace line of one message, without the line end.
std::string traceLine(std::uint32_t msgId, std::uint32_t wParam, std::uint32_t lParam);

} // namespace qm::kompas
