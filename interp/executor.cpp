#include "interp/executor.h"

#include "interp/errors.h"
#include "interp/eval.h"
#include "interp/loader.h"
#include "interp/procedures.h"
#include "interp/scopes.h"
#include "text/cp1251.h"

namespace qm {
namespace {

bool startsWith(const std::string& s, const char* prefix) {
    return s.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// The forward scans: from i+1 to the partner at depth 0; the list's size when there is none.
int scanForward(const CCompil& st, int i, const char* open, const char* close, bool stopAtElse) {
    const int n = static_cast<int>(st.executionList.size());
    int depth = 0;
    for (++i; i < n; ++i) {
        const std::string& s = st.executionList[i].text;
        if (s == close || (stopAtElse && s == "ELSE")) {
            if (depth == 0) return i;
            if (s == close) --depth;
        } else if (startsWith(s, open)) {
            ++depth;
        }
    }
    return n;
}

int matchingNext(const CCompil& st, int i) { return scanForward(st, i, "WHILE(", "NEXT", false); }
int matchingEndIf(const CCompil& st, int i) { return scanForward(st, i, "IF(", "END_IF", false); }
int matchingElseOrEndIf(const CCompil& st, int i) { return scanForward(st, i, "IF(", "END_IF", true); }

// Reports a statement error to the host and stops the run.
void reportStatementError(CCompil& st, const Statement& s, const std::string& cause) {
    st.stopped = true;
    st.host().statementError(ru("Ошибка при выполнении выражения '") + s.text + "'", s.where, cause);
}

class EmptyStack : public ScriptError {
  public:
    using ScriptError::ScriptError;
};

// Acts on an outcome of executeStatement with the innermost frame's stacks; returns the new i.
int followOutcome(CCompil& st, const std::string& outcome, int i) {
    if (outcome.empty()) return i;
    CLocalPar& frame = innermostFrame(st);
    if (outcome == "WHILETRUE") {
        if (frame.loopStack.empty() || frame.loopStack.back() != i) frame.loopStack.push_back(i);
    } else if (outcome == "WHILEFALSE") {
        if (!frame.loopStack.empty() && frame.loopStack.back() == i) frame.loopStack.pop_back();
        return matchingNext(st, i);
    } else if (outcome == "IFTRUE") {
        frame.ifStack.push_back(false);
    } else if (outcome == "ELSE") {
        if (frame.ifStack.empty()) throw EmptyStack(ru("ELSE без открытого IF"));
        if (!frame.ifStack.back()) {
            int end = matchingEndIf(st, i);
            innermostFrame(st).ifStack.pop_back();
            return end;
        }
    } else if (outcome == "END_IF") {
        if (frame.ifStack.empty()) throw EmptyStack(ru("END_IF без открытого IF"));
        frame.ifStack.pop_back();
    } else if (outcome == "IFFALSE") {
        frame.ifStack.push_back(true);
        return matchingElseOrEndIf(st, i) - 1;
    }
    return i;
}

void stopOnRequest(CCompil& st) {
    st.stopped = true;
    if (!st.stopAnnounced) {
        st.stopAnnounced = true;
        st.host().showMessage(ru("Выполнение проекта прервано"));
    }
}

} // namespace

void executeBlock(CCompil& st, int i) {
    if (st.stopped) return;
    const int n = static_cast<int>(st.executionList.size());
    for (; i < n; ++i) {
        if (st.host().stopRequested()) return stopOnRequest(st);
        const Statement& stmt = st.executionList[i];
        const std::string& s = stmt.text;
        st.current = &stmt;
        if (startsWith(s, "PROCEDURE ") || startsWith(s, "FUNCTION ")) {
            i = registerDeclaration(st, i);
            continue;
        }
        int proc = calledProcedure(st, s);
        if (proc >= 0) {
            TokenList args = callStatementArguments(st, proc, s);
            try {
                callProcedure(st, static_cast<size_t>(proc), args);
            } catch (const CallError& e) {
                reportStatementError(st, stmt, e.what());
                return;
            }
            continue;
        }
        if (s == "END") {
            st.frames.pop_back();
            return;
        }
        if (startsWith(s, "RETURN ") || startsWith(s, "RETURN(")) {
            executeReturn(st, s);
            st.frames.pop_back();
            return;
        }
        if (s == "NEXT" || s == "CONTINUE") {
            if (innermostFrame(st).loopStack.empty()) {
                reportStatementError(st, stmt, ru("цикл не открыт: ") + s + ru(" без WHILE"));
                return;
            }
            i = innermostFrame(st).loopStack.back() - 1;
            continue;
        }
        if (s == "BREAK") {
            auto& loops = innermostFrame(st).loopStack;
            if (!loops.empty()) loops.pop_back();
            i = matchingNext(st, i);
            continue;
        }
        if (s == "END_PROJECT") {
            st.stopped = true;
            return;
        }
        try {
            std::string outcome = executeStatement(st, s);
            st.current = &st.executionList[i];
            i = followOutcome(st, outcome, i);
        } catch (const ScriptError& e) {
            st.current = &st.executionList[i];
            reportStatementError(st, st.executionList[i], e.what());
            return;
        }
    }
}

std::string executeStatement(CCompil& st, const std::string& s) {
    if (startsWith(s, "IF(")) {
        std::string cond = s.size() > 3 ? s.substr(3, s.size() - 4) : std::string();
        return "IF" + evaluateCondition(st, cond);
    }
    if (s == "ELSE" || s == "END_IF") return s;
    if (startsWith(s, "WHILE(")) {
        std::string cond = s.size() > 6 ? s.substr(6, s.size() - 7) : std::string();
        return "WHILE" + evaluateCondition(st, cond);
    }
    if (isAssignment(s)) {
        executeAssignment(st, s);
        return "";
    }
    if (executeArrayDeclaration(st, s)) return "";
    size_t open = s.find('(');
    if (open == std::string::npos) executeCommand(st, s, "");
    else executeCommand(st, s.substr(0, open), s.substr(open));
    return "";
}

void CCompil::runProgram(const ProgramText& program) {
    if (onRunStart) onRunStart();
    statementList = prepareStatements(program);
    frames.clear();
    frames.emplace_back();
    procedures.clear();
    executionList = statementList;
    stopped = false;
    stopAnnounced = false;
    callDepth = 0;
    current = nullptr;
    executeBlock(*this, 0);
}

} // namespace qm
