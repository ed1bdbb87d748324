#include "interp/state.h"

#include "text/cp1251.h"

#include <clocale>

namespace qm {

std::string SourceLocation::describe() const {
    if (!known()) return section;
    return section + ru(", строка ") + std::to_string(line);
}

// An empty name is a prefix of every text: it may match anywhere.
static void markFirst(std::bitset<256>& first, const std::string& name) {
    if (name.empty())
        first.set();
    else
        first.set(static_cast<unsigned char>(name[0]));
}

void CLocalPar::addVar(CNameVar v) {
    markFirst(varFirst_, v.name);
    varIndex.emplace(v.name, static_cast<int>(vars.size()));
    vars.push_back(std::move(v));
}

void CLocalPar::addArray(CNameArr a) {
    markFirst(arrayFirst_, a.name);
    arrayNames.insert(a.name);
    arrays.push_back(std::move(a));
}

char localeDecimalSeparator() {
    const lconv* lc = std::localeconv();
    if (lc && lc->decimal_point && lc->decimal_point[0] && !lc->decimal_point[1])
        return lc->decimal_point[0];
    return '.';
}

CCompil::CCompil(Host& host) : decimalSeparator(localeDecimalSeparator()), host_(host) {}

const CCompil::CommandFn* CCompil::command(const std::string& name) const {
    auto it = commands_.find(name);
    return it == commands_.end() ? nullptr : &it->second;
}

const CCompil::FunctionFn* CCompil::function(const std::string& name) const {
    auto it = functions_.find(name);
    return it == functions_.end() ? nullptr : &it->second;
}

const SourceLocation& CCompil::currentLocation() const {
    static const SourceLocation none;
    return current ? current->where : none;
}

} // namespace qm
