// The subsystems a run can use beyond the language itself: limits and fits, the drawing
// companion, the project database. One of each per process, as in the desktop.
#pragma once

#include "options.h"

#include "interp/state.h"

#include <memory>

namespace qm {

class RunExtensions {
  public:
    explicit RunExtensions(const RunOptions& options);
    ~RunExtensions();
    // Registers the functions and commands of every subsystem in the interpreter.
    void install(CCompil& compil);
    // After the run: writes the drawing files that were asked for. Throws on failure.
    void finish();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace qm
