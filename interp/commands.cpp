// Command dispatch and the output commands.
#include "interp/convert.h"
#include "interp/eval.h"
#include "interp/executor.h"
#include "text/cp1251.h"

namespace qm {
namespace {

// The value as output text; a number gets "." back where the user's separator is ",".
std::string outputText(CCompil& st, const std::string& argText) {
    CParamVar v = evaluateExpression(st, argText);
    std::string text = toText(v.value, st.decimalSeparator);
    if (v.type == Kind::Number) {
        size_t comma = text.find(',');
        if (comma != std::string::npos) text[comma] = '.';
    }
    return text;
}

void appendToLastLine(Host& host, PanelId id, const std::string& text) {
    StringList& panel = host.panel(id);
    if (panel.empty()) panel.emplace_back();
    panel.back() += text;
    host.panelChanged(id);
}

void addLine(Host& host, PanelId id, const std::string& text) {
    host.panel(id).push_back(text);
    host.panelChanged(id);
}

} // namespace

void executeCommand(CCompil& st, const std::string& name, const std::string& argText) {
    Host& host = st.host();
    if (name == "PRINT") return appendToLastLine(host, PanelId::Text, outputText(st, argText));
    if (name == "PRINTF") return addLine(host, PanelId::Text, outputText(st, argText));
    if (name == "PRINT_T")
        return appendToLastLine(host, PanelId::Technical, outputText(st, argText));
    if (name == "PRINTF_T") return addLine(host, PanelId::Technical, outputText(st, argText));
    if (name == "SHOWMESSAGE") return host.showMessage(outputText(st, argText));
    // SQL and KS commands: their subsystems install them; a name without a handler does nothing.
    if (const auto* fn = st.command(name)) (*fn)(st, argText);
}

} // namespace qm
