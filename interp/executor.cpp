#include "interp/executor.h"

#include "interp/errors.h"
#include "interp/eval.h"
#include "interp/loader.h"
#include "interp/procedures.h"
#include "interp/scopes.h"
#include "interp/statement_info.h"
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

int matchingNext(const CCompil& st, int i) {
    return scanForward(st, i, "WHILE(", "NEXT", false);
}
int matchingEndIf(const CCompil& st, int i) {
    return scanForward(st, i, "IF(", "END_IF", false);
}
int matchingElseOrEndIf(const CCompil& st, int i) {
    return scanForward(st, i, "IF(", "END_IF", true);
}

// Reports a statement error to the host and stops the run.
void reportStatementError(CCompil& st, const Statement& s, const std::string& cause) {
    st.stopped = true;
    st.host().statementError(ru("Ошибка при выполнении выражения '") + s.text + "'", s.where,
                             cause);
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


std::string executeOrdinary(CCompil& st, StatementInfo& info, const std::string& s) {
    using K = StatementInfo::Kind;
    switch (info.kind) {
    case K::If:
        return "IF" + evaluateCondition(st, info.plan, info.expr);
    case K::Else:
        return "ELSE";
    case K::EndIf:
        return "END_IF";
    case K::While:
        return "WHILE" + evaluateCondition(st, info.plan, info.expr);
    case K::Assignment:
        executeAssignment(st, info);
        return "";
    case K::ArrayDeclaration:
        executeArrayDeclaration(st, s);
        return "";
    default:
        executeCommand(st, info.name, info.expr);
        return "";
    }
}


void runBlock(CCompil& st, int i) {
    using K = StatementInfo::Kind;
    const int n = static_cast<int>(st.executionList.size());
    for (; i < n; ++i) {
        if (st.host().stopRequested()) return stopOnRequest(st);
        const Statement& stmt = st.executionList[i];
        StatementInfo& info = *stmt.info;
        st.current = &stmt;
        if (info.kind == K::Declaration) {
            i = registerDeclaration(st, i);
            continue;
        }
        int proc = st.procedures.empty() ? -1 : calledProcedure(st, stmt.text);
        if (proc >= 0) {
            TokenList args = callStatementArguments(st, proc, stmt.text);
            try {
                callProcedure(st, static_cast<size_t>(proc), args);
            } catch (const CallError& e) {
                reportStatementError(st, stmt, e.what());
                return;
            }
            continue;
        }
        switch (info.kind) {
        case K::End:
            st.frames.pop_back();
            return;
        case K::Return:
            st.result = evaluateExpression(st, info.plan, info.expr);
            st.frames.pop_back();
            return;
        case K::NextOrContinue:
            if (innermostFrame(st).loopStack.empty()) {
                reportStatementError(st, stmt,
                                     ru("цикл не открыт: ") + stmt.text + ru(" без WHILE"));
                return;
            }
            i = innermostFrame(st).loopStack.back() - 1;
            continue;
        case K::Break: {
            auto& loops = innermostFrame(st).loopStack;
            if (!loops.empty()) loops.pop_back();
            i = matchingNext(st, i);
            continue;
        }
        case K::EndProject:
            st.stopped = true;
            return;
        default:
            break;
        }
        try {
            std::string outcome = executeOrdinary(st, info, stmt.text);
            st.current = &stmt;
            i = followOutcome(st, outcome, i);
        } catch (const ScriptError& e) {
            st.current = &stmt;
            reportStatementError(st, stmt, e.what());
            return;
        }
    }
}

} // namespace

void executeBlock(CCompil& st, int i) {
    if (st.stopped) return;
    try {
        runBlock(st, i);
    } catch (ScriptError& e) {
        // An error outside a statement's own execution leaves the block; it keeps the statement
        // where it arose (the innermost block sees it first).
        if (!e.where.known() && st.current) e.where = st.current->where;
        throw;
    }
}

std::string executeStatement(CCompil& st, const std::string& s) {
    StatementInfo info = classifyStatement(s);
    if (info.kind < StatementInfo::Kind::If) { // block keywords are commands here
        size_t open = s.find('(');
        info.kind = StatementInfo::Kind::Command;
        info.name = open == std::string::npos ? s : s.substr(0, open);
        info.expr = open == std::string::npos ? std::string() : s.substr(open);
    }
    return executeOrdinary(st, info, s);
}

void CCompil::runProgram(const ProgramText& program) {
    if (onRunStart) onRunStart();
    statementList = prepareStatements(program);
    frames.clear();
    frames.emplace_back();
    ++runId;
    procedures.clear();
    executionList = statementList;
    stopped = false;
    stopAnnounced = false;
    callDepth = 0;
    current = nullptr;
    executeBlock(*this, 0);
}

} // namespace qm
