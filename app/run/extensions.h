// The subsystems a run can use beyond the language itself: limits and fits, the drawing
// companion, the project database. One of each per process, as in the desktop.
#pragma once

#include "options.h"

#include "interp/state.h"
#include "project/project_file.h"

#include <memory>

namespace qm {

class RunExtensions {
  public:
    explicit RunExtensions(const RunOptions& options);
    ~RunExtensions();
    // Registers the functions and commands of every subsystem in the interpreter.
    void install(CCompil& compil);
    // Before the run: connects --db. Throws (Windows-1251 text) when it does not connect.
    void prepare();
    // The database link of a project file; --db takes the place of the project's own path.
    ProjectHooks projectHooks();
    // After the run: writes the drawing files that were asked for. Throws on failure.
    void finish();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace qm
