#include "db/script_commands.h"

#include "db/database_error.h"
#include "db/project_database.h"
#include "db/result_field.h"
#include "interp/convert.h"
#include "interp/errors.h"
#include "interp/eval.h"
#include "interp/state.h"

namespace qm {
namespace {

// The whole argument text, parentheses included, as one expression, then as text.
std::string argumentText(CCompil& st, const std::string& argText) {
    return toText(evaluateExpression(st, argText).value, st.decimalSeparator);
}

// Database failures stop the run as statement errors.
template <class F> auto asScriptError(F&& f) -> decltype(f()) {
    try {
        return f();
    } catch (const DatabaseError& e) {
        throw ScriptError(e.what());
    }
}

} // namespace

void installDatabaseCommands(CCompil& st, ProjectDatabase& db) {
    st.setCommand("SQLQUERY", [&db](CCompil& s, const std::string& argText) {
        std::string sql = argumentText(s, argText);
        asScriptError([&] { db.runQuery(sql); });
    });
    st.setCommand("SQLSETDB", [&db](CCompil& s, const std::string& argText) {
        std::string path = argumentText(s, argText);
        asScriptError([&] { db.connectDatabase(path); });
    });
    st.setFunction("SQLREZULT", [&db](CCompil& s, const TokenList& args) {
        int n = toInt(evaluateFlat(s, args).value, s.decimalSeparator);
        ResultField f = asScriptError([&] { return readResultField(db.result(), n); });
        return f.isText ? CParamVar::text(f.text) : CParamVar::number(f.number);
    });
}

} // namespace qm
