// A host that keeps what a run shows: the panels, the messages and the statement errors.
#pragma once

#include "interp/host.h"
#include "interp/state.h"
#include "text/cp1251.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm::test {

struct TestHost : Host {
    StringList text, tech;
    std::vector<std::string> messages, errors;
    std::vector<SourceLocation> locations;
    std::vector<std::string> causes;

    StringList& panel(PanelId id) override { return id == PanelId::Text ? text : tech; }
    void showMessage(const std::string& t) override { messages.push_back(t); }
    void statementError(const std::string& message, const SourceLocation& where,
                        const std::string& cause) override {
        errors.push_back(message);
        locations.push_back(where);
        causes.push_back(cause);
    }
};

} // namespace qm::test
