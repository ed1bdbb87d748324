// The project side of the headless runner: `quillmark-run [options] PROJECT.qmp`.
#pragma once

#include "project/project_file.h"

#include "interp/state.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace qm {

struct ProjectRunOptions {
    // --set NAME=VALUE in command-line order; UTF-8 (or Windows-1251 bytes that are not UTF-8).
    std::vector<std::pair<std::string, std::string>> sets;
    bool printProgram = false; // --print-program
    std::string saveAs;        // --save-as OUT.qmp; empty when not given
    ProjectHooks hooks;        // the database link of the project file, when wired
};

// Where the runner's own lines go; every text is Windows-1251 (the runner encodes it).
struct ProjectRunOutput {
    std::function<void(const std::string& line)> printLine;  // stdout: the --print-program lines
    std::function<void(const std::string& text)> error;      // stderr: "error: " + text
    std::function<void(const std::string& text)> usageError; // a --set NAME the table lacks
};

// Loads the project, applies --set, then saves (--save-as), prints the program
// (--print-program) or runs it on `compil` with the run command of the main window.
// Returns 2 after an unknown --set name or a file that cannot be read or written, 1 after a
// table cell that does not convert (reported through the host's statementError, located at the
// row, before anything runs), and 0 otherwise: after a run the caller adds what its host saw
// (statement errors, a timeout). Errors that escape the run (ScriptError) are not caught here.
int runProjectFile(const std::string& path, const ProjectRunOptions& options, CCompil& compil,
                   const ProjectRunOutput& output);

} // namespace qm
