// What the tokenizer learns from an expression text alone, kept so that a statement executed
// again is not re-read character by character. Only text-determined facts are kept (operators,
// string literals, identifier extents, literal numbers, the builtin name at a position); which
// variable, array or function a name means is decided afresh every time, as the language wants.
#pragma once

#include "interp/value.h"

#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace qm {

struct ExprPlan;

struct Lexeme {
    enum class Type : std::uint8_t { Space, Operator, String, Name };
    Type type = Type::Space;
    size_t next = 0; // position after the lexeme (not for names: that depends on the state)
    CParamVar token; // operators and string literals

    // Names: the identifier up to the first delimiter, and what the text alone says about it.
    std::string id;
    int builtin = -1;                  // index of the builtin name "XXX(" starting here, or -1
    bool ksgetref = false, pi = false; // "KSGETREF" (E > 8) and "PI" (E = 3)
    // The global variable this name was last found as, in run `globalRun`: within a run the
    // first global variable of a name never changes (the global frame only grows).
    unsigned globalRun = 0;
    int globalVar = -1;
    // the element reference "[index]" if this name turns out to be an array element
    bool hasIndex = false;
    size_t indexEnd = 0; // position after the first "]"
    std::string indexText;
    ExprPlan* indexPlan = nullptr;
    // a number literal: the value, or why it does not read
    bool numberOk = false;
    CParamVar number;
    size_t numberNext = 0;
    std::string numberError;
};

struct ExprPlan {
    std::string text;
    std::vector<int> lexemeAt; // per position: index into lexemes, -1 not yet analysed
    std::deque<Lexeme> lexemes;
    explicit ExprPlan(std::string t) : text(std::move(t)), lexemeAt(text.size(), -1) {}
    Lexeme& at(size_t pos);
};

// The builtin function names, matched with their "(".
extern const char* const kBuiltinNames[];
extern const int kBuiltinCount;

// Plans by expression text. Plans are state-independent, so they live as long as the cache.
class PlanCache {
  public:
    ExprPlan* get(const std::string& text);
    void clear() { plans_.clear(); }

  private:
    std::unordered_map<std::string, std::unique_ptr<ExprPlan>> plans_;
};

} // namespace qm
