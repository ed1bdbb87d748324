// What the interpreter needs from the program around it: the two output panels, message boxes
// and a way to ask for a stop. The desktop, the headless runner and the tests implement it.
#pragma once

#include "text/lines.h"

#include <string>

namespace qm {

enum class PanelId { Text, Technical };

// Where a statement came from: its section ("Unit1".."Unit11", the main code, the generated
// declarations) and its 1-based line in that section.
struct SourceLocation {
    std::string section; // Windows-1251, e.g. "основной код"
    int line = 0;
    bool known() const { return line > 0; }
    std::string describe() const; // "основной код, строка 3"
};

class Host {
  public:
    virtual ~Host() = default;
    // The panels are lists of lines that PRINT/PRINTF/PRINT_T/PRINTF_T change.
    virtual StringList& panel(PanelId id) = 0;
    // Called after every output command (the desktop repaints, the runner writes final lines).
    virtual void panelChanged(PanelId) {}
    // A modal message box (SHOWMESSAGE, messages of commands and lookups). Text is Windows-1251.
    virtual void showMessage(const std::string& text) = 0;
    // A statement error: its fixed message, then where it happened and why.
    virtual void statementError(const std::string& message, const SourceLocation& where,
                                const std::string& cause) {
        (void)where;
        (void)cause;
        showMessage(message);
    }
    // Polled between statements; true ends the run.
    virtual bool stopRequested() { return false; }
};

} // namespace qm
