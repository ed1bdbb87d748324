// A host that keeps everything the interpreter sends it, for assertions.
#pragma once

#include "interp/eval.h"
#include "interp/loader.h"
#include "interp/state.h"
#include "text/cp1251.h"

#include <functional>

namespace qm::test {

struct TestHost : Host {
    StringList text, tech, messages, causes;
    std::function<bool()> stop = [] { return false; };
    StringList& panel(PanelId id) override { return id == PanelId::Text ? text : tech; }
    void showMessage(const std::string& t) override { messages.push_back(t); }
    void statementError(const std::string& m, const SourceLocation& where,
                        const std::string& cause) override {
        messages.push_back(m);
        causes.push_back(where.describe() + ": " + cause);
    }
    bool stopRequested() override { return stop(); }
};

// A program of UTF-8 lines (converted to Windows-1251), all from the main code.
inline ProgramText program(std::initializer_list<const char*> lines) {
    ProgramText p;
    int n = 0;
    for (const char* l : lines)
        p.add(ru(l), {ru("основной код"), ++n});
    return p;
}

// Runs a program with a fresh host and the given decimal separator.
struct Session {
    TestHost host;
    CCompil st{host};
    explicit Session(char sep = '.') { st.decimalSeparator = sep; }
    Session& operator()(std::initializer_list<const char*> lines) {
        host.text.clear();
        host.tech.clear();
        st.runProgram(program(lines));
        return *this;
    }
};

} // namespace qm::test
