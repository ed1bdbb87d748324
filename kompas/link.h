// The link to the drawing companion: finding it, sending records and texts as message
// sequences, and the result of the last command message.
#pragma once

#include "kompas/protocol.h"
#include "kompas/transport.h"

#include <cstdint>
#include <string>

namespace qm::kompas {

class KompasLink {
  public:
    // The transport (or chain) that findCompanion will find; nullptr: no companion. The link
    // does not own it. A change takes effect at the next findCompanion, as a companion that
    // appears after a run has started is only found by the next run.
    void setTransport(Transport* transport) { installed_ = transport; }

    // Looks the companion up again (start of every run, the shaft builder before it draws).
    void findCompanion();
    bool companionFound() const { return companionWindow_ != nullptr; }

    // One command: the count message, count / 8 + 1 chunks when a record is given, then the
    // command message, whose answer becomes lastResult. record == nullptr: no chunks.
    void sendRecord(std::uint32_t commandId, const std::uint8_t* record, std::size_t count);
    void sendRecord(std::uint32_t commandId, const Bytes& record) {
        sendRecord(commandId, record.data(), record.size());
    }
    // A typed record: its id and its packed bytes.
    template <class R> void send(const R& record) { sendRecord(R::id, pack(record)); }

    // A text message (cmdParamText or cmdBitFlagText): the text is kept in the text buffer and
    // sent with its terminating zero, count = length + 1. Its answer lands in lastResult too.
    void sendText(std::uint32_t textId, const std::string& text);
    const std::string& textBuffer() const { return textBuffer_; }

    // The answer of the most recent command message; zero at start, never reset between runs.
    std::int32_t lastResult = 0;
    // The statement now sending; passed beside every message (the KS commands set it).
    Origin current;

  private:
    std::int32_t message(std::uint32_t id, std::uint32_t wParam, std::uint32_t lParam);

    Transport* installed_ = nullptr;
    Transport* companionWindow_ = nullptr;
    std::string textBuffer_;
};

// The process's one link, shared by the script commands and the shaft builder.
KompasLink& kompasLink();

} // namespace qm::kompas
