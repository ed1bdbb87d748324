// The interpreter state `CCompil`: scope frames, procedures, the result slot, the stop flag, the
// loaded program, and the extension points through which the other subsystems add commands
// (KS..., SQL...) and functions (LIMITKVALITET, DIMTOSTR, SQLREZULT, KSGETREF).
#pragma once

#include "interp/host.h"
#include "interp/plan.h"
#include "interp/value.h"

#include <bitset>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace qm {

struct CNameVar {
    Kind type = Kind::Empty;
    Variant value;
    std::string name;
};

struct CNameArr {
    std::vector<CParamVar> elements;
    std::string name;
};

// One scope frame with its loop and IF stacks.
struct CLocalPar {
    std::vector<CNameVar> vars;
    std::vector<CNameArr> arrays;
    // The first variable of each name ever given in this frame (names are never removed, and a
    // later variable of the same name is never found): the membership test and the lookup.
    std::unordered_map<std::string, int> varIndex;
    std::unordered_set<std::string> arrayNames; // every name ever given to an array here
    std::vector<int> loopStack;
    std::vector<bool> ifStack; // true: the IF condition was false

    void addVar(CNameVar v);
    void addArray(CNameArr a);
    // Quick refusals before a name is looked up: no variable (array) name ever given here
    // begins with this character. Names are never removed, so a "maybe" stays true.
    bool mayHaveVarStartingWith(char c) const { return varFirst_[static_cast<unsigned char>(c)]; }
    bool mayHaveArrayStartingWith(char c) const {
        return arrayFirst_[static_cast<unsigned char>(c)];
    }

  private:
    std::bitset<256> varFirst_, arrayFirst_;
};

struct CProcedure {
    std::string name;
    int start = 0;
    std::vector<std::string> params;
    std::string kind; // "PROCEDURE" or "FUNCTION"
};

// A program text: its lines and, for each, where it came from.
struct ProgramText {
    StringList lines;
    std::vector<SourceLocation> origins; // one per line (may be shorter: unknown origin)
    void add(const std::string& line, SourceLocation where) {
        lines.push_back(line);
        origins.push_back(std::move(where));
    }
};

struct StatementInfo;

struct Statement {
    std::string text;
    SourceLocation where;
    std::shared_ptr<StatementInfo> info; // what the text says, worked out by the loader
};

class CCompil {
  public:
    using CommandFn = std::function<void(CCompil&, const std::string& argText)>;
    using FunctionFn = std::function<CParamVar(CCompil&, const TokenList& args)>;

    explicit CCompil(Host& host);

    // Runs a program from its first statement; returns when it has ended. Errors that escape the
    // executor (an argument of a procedure-call statement, a RETURN expression, a declaration
    // without END) leave this function as ScriptError.
    void runProgram(const ProgramText& program);

    // Extension points. A command name of the dispatch table without a handler does nothing; a
    // function name of the tokenizer's list without a handler yields the empty value.
    void setCommand(const std::string& name, CommandFn fn) { commands_[name] = std::move(fn); }
    void setFunction(const std::string& name, FunctionFn fn) { functions_[name] = std::move(fn); }
    // Called at the start of every run (the drawing link finds its companion again here).
    std::function<void()> onRunStart;

    // The statement being executed (for messages and for objects that remember their origin).
    const SourceLocation& currentLocation() const;
    Host& host() { return host_; }

    // State of the language, shared by the executor, the evaluator and the library.
    std::vector<CLocalPar> frames;
    std::vector<CProcedure> procedures;
    CParamVar result;
    bool stopped = false;
    int groupStart = 0, groupEnd = 0;
    char decimalSeparator; // the user's decimal separator; default from the process locale
    int maxCallDepth = 2000;

    std::vector<Statement> statementList; // the cleaned statements of the last prepareStatements
    std::vector<Statement> executionList; // the copy a run executes

    const CommandFn* command(const std::string& name) const;
    const FunctionFn* function(const std::string& name) const;

    // Internal bookkeeping of the executor.
    PlanCache plans;    // what the expression texts alone say, kept across executions
    unsigned runId = 0; // counts runs: what is remembered about the global frame is per run
    int callDepth = 0;
    bool stopAnnounced = false; // the stop message is shown once per run
    const Statement* current = nullptr;

  private:
    Host& host_;
    std::map<std::string, CommandFn> commands_;
    std::map<std::string, FunctionFn> functions_;
};

// The decimal separator of the process locale (LC_NUMERIC), '.' when it has none.
char localeDecimalSeparator();

} // namespace qm
