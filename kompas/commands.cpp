#include "kompas/commands.h"

#include "kompas/ks_register.h"

namespace qm::kompas {

namespace {

// The statement that runs the command, for the objects the companion makes from it.
void takeOrigin(CCompil& st, KompasLink& link) {
    const SourceLocation& where = st.currentLocation();
    link.current = {where.section, where.line};
}

} // namespace

void addCommand(CCompil& st, KompasLink& link, const char* name, KsCommand fn) {
    st.setCommand(name, [&link, name, fn](CCompil& s, const std::string& argText) {
        takeOrigin(s, link);
        KsArgs args(s, name, argText);
        fn(args, link);
    });
}

void addCommand(CCompil& st, KompasLink& link, const char* name, KsBareCommand fn) {
    st.setCommand(name, [&link, fn](CCompil& s, const std::string&) {
        takeOrigin(s, link);
        fn(link);
    });
}

void installKompasCommands(CCompil& st, KompasLink& link) {
    installGeometryCommands(st, link);
    installViewCommands(st, link);
    installDimensionCommands(st, link);
    st.setFunction("KSGETREF", [&link](CCompil&, const TokenList&) {
        return CParamVar::number(static_cast<std::int32_t>(link.lastResult));
    });
    st.onRunStart = [&link, before = st.onRunStart] {
        if (before) before();
        link.findCompanion();
    };
}

} // namespace qm::kompas
