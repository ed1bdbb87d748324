#include "interp/procedures.h"

#include "interp/errors.h"
#include "interp/eval.h"
#include "interp/executor.h"
#include "interp/scopes.h"
#include "text/cp1251.h"

namespace qm {

int registerDeclaration(CCompil& st, int i) {
    std::string rest = st.executionList[i].text;
    CProcedure p;
    if (rest.compare(0, 10, "PROCEDURE ") == 0) {
        rest.erase(0, 10);
        p.kind = "PROCEDURE";
    }
    if (rest.compare(0, 9, "FUNCTION ") == 0) {
        rest.erase(0, 9);
        p.kind = "FUNCTION";
    }
    size_t open = rest.find('(');
    if (open != std::string::npos) {
        p.name = rest.substr(0, open);
        std::string list = rest.substr(open + 1);
        if (!list.empty()) list.pop_back(); // the closing ")"
        while (!list.empty()) {
            size_t comma = list.find(',');
            if (comma == std::string::npos) {
                p.params.push_back(list);
                list.clear();
            } else {
                p.params.push_back(list.substr(0, comma));
                list.erase(0, comma + 1);
            }
        }
    } else {
        p.name = rest;
    }
    p.start = i;
    st.procedures.push_back(p);
    const int n = static_cast<int>(st.executionList.size());
    while (i < n && st.executionList[i].text != "END")
        ++i;
    if (i >= n)
        throw ScriptError(ru("нет END у объявления '") + st.executionList[p.start].text + "'");
    return i;
}

int calledProcedure(const CCompil& st, const std::string& s) {
    for (size_t k = 0; k < st.procedures.size(); ++k) {
        const std::string& name = st.procedures[k].name;
        if (s == name || (s.size() > name.size() && s.compare(0, name.size(), name) == 0 &&
                          s[name.size()] == '('))
            return static_cast<int>(k);
    }
    return -1;
}

TokenList callStatementArguments(CCompil& st, int proc, const std::string& s) {
    const std::string& name = st.procedures[proc].name;
    if (s.size() <= name.size()) return {};
    // without the name, its "(" and the last character
    std::string args = s.substr(name.size() + 1);
    if (!args.empty()) args.pop_back();
    return tokenize(st, args);
}

namespace {

// Binds one argument group to the formal name in the new (innermost) frame.
void bindArgument(CCompil& st, const TokenList& group, const std::string& formal) {
    if (!group.empty() && group.front().type == Kind::Array) {
        const std::string& source = group.front().value.s;
        CLocalPar& caller = st.frames[st.frames.size() - 2];
        std::vector<CParamVar> elements;
        if (firstArray(caller, source) >= 0)
            elements = arrayElements(caller, source);
        else
            elements = arrayElements(globalFrame(st), source);
        CLocalPar& frame = innermostFrame(st);
        frame.addArray({std::move(elements), formal});
        return;
    }
    CParamVar v = evaluateTokens(st, group);
    CLocalPar& frame = innermostFrame(st);
    frame.addVar({v.type, v.value, formal});
}

void bindArguments(CCompil& st, const CProcedure& p, const TokenList& args) {
    int depth = 0, counter = -1;
    TokenList group;
    auto bind = [&](int index) {
        if (index >= static_cast<int>(p.params.size()))
            throw CallError(ru("у ") + p.name + ru(" больше аргументов, чем параметров (") +
                            std::to_string(p.params.size()) + ")");
        bindArgument(st, group, p.params[index]);
        group.clear();
    };
    for (const auto& t : args) {
        if (t.type == Kind::Comma && depth == 0) {
            bind(++counter);
            continue;
        }
        if (t.type == Kind::LParen)
            ++depth;
        else if (t.type == Kind::RParen)
            --depth;
        group.push_back(t);
    }
    bind(counter + 1);
}

} // namespace

void callProcedure(CCompil& st, size_t proc, const TokenList& args) {
    if (st.callDepth >= st.maxCallDepth)
        throw CallError(ru("слишком глубокая рекурсия: более ") + std::to_string(st.maxCallDepth) +
                        ru(" вложенных вызовов"));
    const CProcedure p = st.procedures[proc]; // the list may grow while the body runs
    st.frames.emplace_back();
    if (!args.empty()) bindArguments(st, p, args);
    struct Depth {
        int& d;
        explicit Depth(int& x) : d(x) { ++d; }
        ~Depth() { --d; }
    } depth(st.callDepth);
    const Statement* caller = st.current;
    executeBlock(st, p.start + 1);
    st.current = caller;
}

} // namespace qm
