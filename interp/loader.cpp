#include "interp/loader.h"

#include "interp/statement_info.h"
#include "text/cp1251.h"

#include <algorithm>

namespace qm {
namespace {

size_t countQuotes(const std::string& s, size_t from, size_t to) {
    return static_cast<size_t>(std::count(s.begin() + from, s.begin() + to, '\''));
}

// Drops the comment: the first "//" preceded by an even number of apostrophes on the line.
std::string removeComment(const std::string& line) {
    size_t from = 0;
    while (true) {
        size_t pos = line.find("//", from);
        if (pos == std::string::npos) return line;
        if (countQuotes(line, 0, pos) % 2 == 0) return line.substr(0, pos);
        from = pos + 2;
    }
}

void removeLeadingBlanks(std::string& s) {
    size_t k = s.find_first_not_of(" \t");
    s.erase(0, k == std::string::npos ? s.size() : k);
}

// Removes the space of a pair such as " (" or "+ " until none is left.
void removeSpaceOfPair(std::string& s, const char* pair) {
    size_t pos;
    while ((pos = s.find(pair)) != std::string::npos)
        s.erase(pair[0] == ' ' ? pos : pos + 1, 1);
}

std::string normaliseOutside(std::string seg) {
    std::replace(seg.begin(), seg.end(), '\t', ' ');
    size_t pos;
    while ((pos = seg.find("  ")) != std::string::npos)
        seg.erase(pos, 1);
    static const char* const pairs[] = {" (", "( ", " )", ") ", " +", "+ ",
                                        " -", "- ", " *", "* ", " /", "/ "};
    for (const char* p : pairs)
        removeSpaceOfPair(seg, p);
    return upperCase(std::move(seg));
}

} // namespace

std::string normaliseStatement(const std::string& text) {
    std::string out;
    size_t i = 0;
    bool inside = false;
    while (i < text.size()) {
        size_t q = text.find('\'', i);
        size_t end = q == std::string::npos ? text.size() : q + 1;
        std::string seg = text.substr(i, end - i);
        out += inside ? seg : normaliseOutside(seg);
        inside = !inside;
        i = end;
    }
    return out;
}

std::vector<Statement> prepareStatements(const ProgramText& program) {
    std::vector<Statement> list;
    for (size_t n = 0; n < program.lines.size(); ++n) {
        const SourceLocation where =
            n < program.origins.size() ? program.origins[n] : SourceLocation{};
        std::string line = removeComment(program.lines[n]);
        std::string prefix;
        size_t semi;
        while ((semi = line.find(';')) != std::string::npos) {
            if ((countQuotes(prefix, 0, prefix.size()) + countQuotes(line, 0, semi)) % 2 == 1) {
                prefix += line.substr(0, semi + 1);
                line.erase(0, semi + 1);
                continue;
            }
            std::string before = line.substr(0, semi);
            removeLeadingBlanks(prefix);
            if (prefix.empty()) removeLeadingBlanks(before);
            std::string text = prefix + before;
            if (!text.empty()) {
                std::string clean = normaliseStatement(text);
                auto info = std::make_shared<StatementInfo>(classifyStatement(clean));
                list.push_back({std::move(clean), where, std::move(info)});
            }
            line.erase(0, semi + 1);
            prefix.clear();
        }
    }
    return list;
}

} // namespace qm
