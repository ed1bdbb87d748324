#include "db/connection_string.h"

#include "db/database_error.h"
#include "text/cp1251.h"

namespace qm {
namespace {

const char kKey[] = "Data Source=";
const size_t kKeyLength = sizeof kKey - 1;
const char kUser[] = "User ID=Admin;";

// One past the entry's closing ";" (or the end of the string), for an entry at `at`.
size_t entryEnd(const std::string& s, size_t at) {
    size_t i = at + kKeyLength;
    if (i < s.size() && s[i] == '"') {
        for (++i; i < s.size(); ++i) {
            if (s[i] != '"') continue;
            if (i + 1 < s.size() && s[i + 1] == '"') {
                ++i;
                continue;
            }
            break;
        }
    }
    size_t semicolon = s.find(';', i);
    return semicolon == std::string::npos ? s.size() : semicolon + 1;
}

std::string quoted(const std::string& path) {
    if (path.find_first_of(";\"") == std::string::npos) return path;
    std::string out = "\"";
    for (char c : path) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

} // namespace

const std::string& startConnectionString() {
    static const std::string s =
        "Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Mode=Share Deny None;Extended "
        "Properties=\"\";Persist Security Info=False;Jet OLEDB:System database=\"\";Jet "
        "OLEDB:Registry Path=\"\";Jet OLEDB:Database Password=\"\";Jet OLEDB:Engine Type=5;Jet "
        "OLEDB:Database Locking Mode=1;Jet OLEDB:Global Partial Bulk Ops=2;Jet OLEDB:Global Bulk "
        "Transactions=1;Jet OLEDB:New Database Password=\"\";Jet OLEDB:Create System "
        "Database=False;Jet OLEDB:Encrypt Database=False;Jet OLEDB:Don't Copy Locale on "
        "Compact=False;Jet OLEDB:Compact Without Replica Repair=False;Jet OLEDB:SFP=False";
    return s;
}

bool hasDataSource(const std::string& connection) {
    return connection.find(kKey) != std::string::npos;
}

std::string removeDataSource(const std::string& connection) {
    size_t at = connection.find(kKey);
    if (at == std::string::npos) return connection;
    return connection.substr(0, at) + connection.substr(entryEnd(connection, at));
}

std::string insertDataSource(const std::string& connection, const std::string& path) {
    size_t at = connection.find(kUser);
    if (at == std::string::npos)
        throw DatabaseError(ru(u8"В строке подключения нет записи \"User ID=Admin;\""));
    size_t after = at + sizeof kUser - 1;
    return connection.substr(0, after) + kKey + quoted(path) + ";" + connection.substr(after);
}

std::string dataSource(const std::string& connection) {
    size_t at = connection.find(kKey);
    if (at == std::string::npos) return {};
    size_t begin = at + kKeyLength, end = entryEnd(connection, at);
    std::string value = connection.substr(begin, end - begin);
    if (!value.empty() && value.back() == ';') value.pop_back();
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') return value;
    std::string out;
    for (size_t i = 1; i + 1 < value.size(); ++i) {
        out += value[i];
        if (value[i] == '"' && value[i + 1] == '"') ++i;
    }
    return out;
}

} // namespace qm
