#include "runner_host.h"

#include "text/cp1251.h"

namespace qm {

std::string RunnerHost::encode(const std::string& cp1251) const {
    return enc_ == OutputEncoding::Utf8 ? cp1251ToUtf8(cp1251) : cp1251;
}

void RunnerHost::writeErr(const std::string& prefix, const std::string& text) {
    std::string line = prefix + encode(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), err_);
    std::fflush(err_);
}

void RunnerHost::writeOut(const std::string& line) {
    std::string bytes = encode(line) + "\n";
    std::fwrite(bytes.data(), 1, bytes.size(), out_);
    std::fflush(out_);
}

void RunnerHost::writeRaw(const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), err_);
    std::fflush(err_);
}

// Writes the lines [done, upTo) of a panel.
void RunnerHost::flush(PanelId id, size_t upTo) {
    StringList& lines = panel(id);
    size_t& done = id == PanelId::Text ? textDone_ : techDone_;
    if (upTo > lines.size()) upTo = lines.size();
    for (; done < upTo; ++done) {
        if (id == PanelId::Text) writeOut(lines[done]);
        else writeErr("tech: ", lines[done]);
    }
}

void RunnerHost::panelChanged(PanelId id) {
    const StringList& lines = panel(id);
    if (!lines.empty()) flush(id, lines.size() - 1); // all but the last line are final
}

void RunnerHost::showMessage(const std::string& text) {
    std::string escaped;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\n' || text[i] == '\r')
            escaped += "\\n";
        else
            escaped += text[i];
    }
    writeErr("message: ", escaped);
}

void RunnerHost::statementError(const std::string& message, const SourceLocation& where,
                                const std::string& cause) {
    hadStatementError = true;
    showMessage(message);
    std::string at = where.known() ? where.describe() : where.section;
    writeErr("at: ", at.empty() ? cause : at + ": " + cause);
}

void RunnerHost::clearPanels() {
    text_.clear();
    tech_.clear();
    textDone_ = techDone_ = 0;
}

void RunnerHost::finish() {
    flush(PanelId::Text, text_.size());
    flush(PanelId::Technical, tech_.size());
}

void RunnerHost::reportError(const std::string& text) {
    writeErr("error: ", text);
}

} // namespace qm
