#include "interp/statement_info.h"

#include "interp/scopes.h"

namespace qm {

static bool startsWith(const std::string& s, const char* prefix) {
    return s.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

static void classifyAssignment(const std::string& s, StatementInfo& info) {
    info.kind = StatementInfo::Kind::Assignment;
    size_t eq = s.find('=');
    info.rhs = s.substr(eq + 1);
    if (s.find("]=") != std::string::npos) {
        info.element = true;
        size_t open = s.find('['), close = s.find(']');
        info.elementMalformed =
            open == std::string::npos || close == std::string::npos || close < open;
        if (!info.elementMalformed) {
            info.name = s.substr(0, open);
            info.indexText = s.substr(open + 1, close - open - 1);
        }
        return;
    }
    info.name = s.substr(0, eq);
    std::string rest = s;
    info.local = startsWith(rest, "L_VAR ");
    if (info.local) rest.erase(0, 6);
    size_t eq2 = rest.find('=');
    info.scalarName = rest.substr(0, eq2);
}

StatementInfo classifyStatement(const std::string& s) {
    using K = StatementInfo::Kind;
    StatementInfo info;
    if (startsWith(s, "PROCEDURE ") || startsWith(s, "FUNCTION "))
        info.kind = K::Declaration;
    else if (s == "END")
        info.kind = K::End;
    else if (startsWith(s, "RETURN ") || startsWith(s, "RETURN(")) {
        info.kind = K::Return;
        info.expr = s.substr(6);
    } else if (s == "NEXT" || s == "CONTINUE")
        info.kind = K::NextOrContinue;
    else if (s == "BREAK")
        info.kind = K::Break;
    else if (s == "END_PROJECT")
        info.kind = K::EndProject;
    else if (startsWith(s, "IF(")) {
        info.kind = K::If;
        info.expr = s.substr(3, s.size() - 4);
    } else if (s == "ELSE")
        info.kind = K::Else;
    else if (s == "END_IF")
        info.kind = K::EndIf;
    else if (startsWith(s, "WHILE(")) {
        info.kind = K::While;
        info.expr = s.size() > 6 ? s.substr(6, s.size() - 7) : std::string();
    } else if (isAssignment(s))
        classifyAssignment(s, info);
    else if (startsWith(s, "ARRAY ") || startsWith(s, "L_VAR ARRAY "))
        info.kind = K::ArrayDeclaration;
    else {
        size_t open = s.find('(');
        info.name = open == std::string::npos ? s : s.substr(0, open);
        info.expr = open == std::string::npos ? std::string() : s.substr(open);
    }
    return info;
}

} // namespace qm
