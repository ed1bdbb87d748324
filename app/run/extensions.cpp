#include "extensions.h"

#include "db/project_database.h"
#include "db/script_commands.h"
#include "drawing/companion.h"
#include "fits/script_functions.h"
#include "kompas/commands.h"
#include "kompas/trace_file.h"
#include "text/lines.h"

namespace qm {

struct RunExtensions::Parts {
    explicit Parts(const RunOptions& o) : options(o) {}
    ~Parts() { kompas::kompasLink().setTransport(nullptr); }
    const RunOptions& options;
    CDopuski dopuski;
    ProjectDatabase db;
    std::string dbOverride;                   // --db, Windows-1251
    std::unique_ptr<Companion> companion;     // --svg / --dxf: our drawing companion
    std::unique_ptr<kompas::TraceFile> trace; // --trace: in front of the companion, if any
};

RunExtensions::RunExtensions(const RunOptions& options)
    : parts_(std::make_unique<Parts>(options)) {}

RunExtensions::~RunExtensions() = default;

void RunExtensions::install(CCompil& compil) {
    installFitsFunctions(compil, parts_->dopuski);
    installDatabaseCommands(compil, parts_->db);
    kompas::KompasLink& link = kompas::kompasLink();
    if (parts_->trace)
        link.setTransport(parts_->trace.get());
    else
        link.setTransport(parts_->companion.get()); // none: every message answers 0
    kompas::installKompasCommands(compil, link);
}

void RunExtensions::prepare() {
    const RunOptions& o = parts_->options;
    if (!o.svgPath.empty() || !o.dxfPath.empty()) parts_->companion = std::make_unique<Companion>();
    if (!o.tracePath.empty())
        parts_->trace = std::make_unique<kompas::TraceFile>(o.tracePath, parts_->companion.get());
    if (!o.dbPath.empty()) {
        parts_->dbOverride = decodeFileText(o.dbPath);
        parts_->db.connectDatabase(parts_->dbOverride);
    }
}

ProjectHooks RunExtensions::projectHooks() {
    ProjectHooks hooks;
    ProjectDatabase& db = parts_->db;
    hooks.disconnectDatabase = [&db] { db.disconnectDatabase(); };
    hooks.removeDataSource = [&db] { db.removeDataSource(); };
    const std::string over = parts_->dbOverride;
    hooks.connectDatabase = [&db, over](const std::string& path) {
        db.connectDatabase(over.empty() ? path : over);
    };
    return hooks;
}

void RunExtensions::finish() {
    const RunOptions& o = parts_->options;
    if (parts_->trace) parts_->trace->close();
    if (parts_->companion && !o.svgPath.empty()) parts_->companion->saveSvg(o.svgPath);
    if (parts_->companion && !o.dxfPath.empty()) parts_->companion->saveDxf(o.dxfPath);
}

} // namespace qm
