// Running small scripts with the KS commands installed, and reading back what they sent as
// whole sequences (count, chunks, command) so that tests compare records byte for byte.
#pragma once

#include "capture.h"
#include "interp/state.h"
#include "kompas/commands.h"
#include "kompas/protocol.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace qm::kompas::test {

class TestHost : public Host {
  public:
    StringList& panel(PanelId id) override { return id == PanelId::Text ? text : tech; }
    void showMessage(const std::string& m) override { messages.push_back(m); }
    void statementError(const std::string& message, const SourceLocation&,
                        const std::string& cause) override {
        errors.push_back(message + " / " + cause);
    }
    StringList text, tech;
    std::vector<std::string> messages, errors;
};

// One command as it travelled: its id, the count message's value and the record bytes.
struct Sequence {
    std::uint32_t id = 0;
    std::uint32_t count = 0;
    Bytes bytes;
};

// Cuts a message stream into sequences, failing the test on any break of the chunking rules
// (no count first, a wrong number of chunks, padding that is not zero).
std::vector<Sequence> sequences(const std::vector<Message>& messages);

struct ScriptTest : ::testing::Test {
    TestHost host;
    CCompil st{host};
    Capture capture;
    KompasLink link;

    void SetUp() override {
        st.decimalSeparator = '.';
        link.setTransport(&capture);
        installKompasCommands(st, link);
    }
    // Runs the lines as the main code ("main", lines from 1).
    void run(const std::vector<std::string>& lines);
    // A command whose conversion fails: it sends nothing and makes exactly one statement error.
    void expectRefused(const std::vector<std::string>& lines);
    std::vector<Sequence> sent() const { return sequences(capture.messages); }
};

// The value at a byte offset, read as a little-endian receiver does.
template <class T> T at(const Bytes& b, std::size_t off) {
    EXPECT_LE(off + sizeof(T), b.size()) << "offset " << off;
    T v{};
    if (off + sizeof(T) <= b.size()) std::memcpy(&v, b.data() + off, sizeof(T));
    return v;
}

// The bytes of a value, for building expected records.
template <class T> void put(Bytes& b, std::size_t off, T v) {
    ASSERT_LE(off + sizeof(T), b.size());
    std::memcpy(b.data() + off, &v, sizeof(T));
}

} // namespace qm::kompas::test
