// The run pipeline: parameters, declarations, the program text, and the run around them.
#pragma once

#include "project/document.h"

#include "interp/state.h"

#include <functional>
#include <string>

namespace qm {

// Section names of the program text, for the locations of statements.
const std::string& declarationsSection(); // "объявления"
const std::string& mainCodeSection();     // "основной код"

// Rebuilds vizor.programText: the declarations, code[11] down to code[1], then code[0]; each
// line keeps its section and its 1-based line there.
void assembleProgram(CSVizor& vizor);

// The result window of the run command: shown after the run when its toggle is down, and
// always given a copy of the text panel.
struct ResultWindow {
    bool showAfterRun = false; // the toolbar toggle "Показывать результат в окне"
    std::function<void()> show; // the desktop shows its window
    StringList text;
};

// The run command. A cell that does not convert throws ParameterError before the panels are
// touched; an error that escapes the run leaves the result window as it was.
void runProject(ProjectDocument& doc, CCompil& compil, ResultWindow& result);

// The first two steps, which the code editor also needs before it opens.
void prepareDeclarations(ProjectDocument& doc);

} // namespace qm
