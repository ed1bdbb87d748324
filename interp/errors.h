// Failures inside a run. All carry a short cause in Russian (Windows-1251) for the user.
#pragma once

#include "interp/host.h"

#include <stdexcept>
#include <string>

namespace qm {

// Any error of the language: evaluation, conversion, or one raised by a command. An error that
// leaves the run remembers the statement where it arose.
class ScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
    SourceLocation where;
};

// An expression that cannot be evaluated (unknown name, bad literal, text that is no number...).
class EvalError : public ScriptError {
  public:
    using ScriptError::ScriptError;
};

// An error of a call itself (too many arguments, too deep a recursion): a statement error also
// where the call is a statement of its own.
class CallError : public ScriptError {
  public:
    using ScriptError::ScriptError;
};

} // namespace qm
