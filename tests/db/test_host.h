// A host that keeps what a run shows: the text panel, messages and statement errors.
#pragma once

#include "interp/host.h"

#include <string>
#include <vector>

namespace qm::test {

struct RecordingHost : Host {
    StringList text, tech;
    std::vector<std::string> messages, errors, causes;

    StringList& panel(PanelId id) override { return id == PanelId::Text ? text : tech; }
    void showMessage(const std::string& t) override { messages.push_back(t); }
    void statementError(const std::string& message, const SourceLocation&,
                        const std::string& cause) override {
        errors.push_back(message);
        causes.push_back(cause);
    }
};

} // namespace qm::test
