#include "project/pipeline.h"

#include "project/declarations.h"
#include "project/parameters.h"

#include "text/cp1251.h"

namespace qm {

const std::string& declarationsSection() {
    static const std::string s = ru(u8"объявления");
    return s;
}

const std::string& mainCodeSection() {
    static const std::string s = ru(u8"основной код");
    return s;
}

namespace {

void addSection(ProgramText& program, const StringList& lines, const std::string& section) {
    for (size_t i = 0; i < lines.size(); ++i)
        program.add(lines[i], SourceLocation{section, static_cast<int>(i) + 1});
}

void emptyPanel(Host& host, PanelId id) {
    StringList& panel = host.panel(id);
    if (panel.empty()) return;
    panel.clear();
    host.panelChanged(id);
}

} // namespace

void assembleProgram(CSVizor& vizor) {
    ProgramText& program = vizor.programText;
    program.lines.clear();
    program.origins.clear();
    addSection(program, vizor.project.declarations, declarationsSection());
    for (int k = 11; k >= 1; --k)
        addSection(program, vizor.project.code[k], "Unit" + std::to_string(k));
    addSection(program, vizor.project.code[0], mainCodeSection());
}

void prepareDeclarations(ProjectDocument& doc) {
    readParameterTable(doc.vizor.project.data, doc.table);
    generateDeclarations(doc.vizor.project);
}

void runProject(ProjectDocument& doc, CCompil& compil, ResultWindow& result) {
    prepareDeclarations(doc);
    assembleProgram(doc.vizor);
    Host& host = compil.host();
    emptyPanel(host, PanelId::Text);
    emptyPanel(host, PanelId::Technical);
    compil.runProgram(doc.vizor.programText);
    if (result.showAfterRun && result.show) result.show();
    result.text = host.panel(PanelId::Text);
}

} // namespace qm
