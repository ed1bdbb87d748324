// The headless host: the text panel goes to stdout, the technical panel, messages and errors to
// stderr, each line as soon as it can no longer change.
#pragma once

#include "interp/host.h"

#include <atomic>
#include <cstdio>

namespace qm {

enum class OutputEncoding { Utf8, Cp1251 };

class RunnerHost : public Host {
  public:
    RunnerHost(OutputEncoding enc, std::FILE* out, std::FILE* err)
        : enc_(enc), out_(out), err_(err) {}

    StringList& panel(PanelId id) override { return id == PanelId::Text ? text_ : tech_; }
    void panelChanged(PanelId id) override;
    void showMessage(const std::string& text) override;
    void statementError(const std::string& message, const SourceLocation& where,
                        const std::string& cause) override;
    bool stopRequested() override { return stop.load(std::memory_order_relaxed); }

    // Empties both panels (before a run).
    void clearPanels();
    // Writes what is left of both panels (after a run).
    void finish();
    // "error: " + an error that escaped the run.
    void reportError(const std::string& text);
    void writeErr(const std::string& prefix, const std::string& cp1251Text);
    // A line of the runner's own on stdout (Windows-1251 text, encoded like the panel).
    void writeOut(const std::string& cp1251Line);
    // Bytes as they are on stderr (texts that are already in the terminal's encoding).
    void writeRaw(const std::string& bytes);

    std::atomic<bool> stop{false};
    bool hadStatementError = false;

  private:
    std::string encode(const std::string& cp1251) const;
    void flush(PanelId id, size_t upTo);

    OutputEncoding enc_;
    std::FILE* out_;
    std::FILE* err_;
    StringList text_, tech_;
    size_t textDone_ = 0, techDone_ = 0; // lines already written
};

} // namespace qm
