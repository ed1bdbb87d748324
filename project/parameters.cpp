#include "project/parameters.h"

#include "project/notation.h"

#include "text/cp1251.h"

namespace qm {

const std::string& tableSection() {
    static const std::string s = ru(u8"исходные данные");
    return s;
}

namespace {

template <class List> std::int32_t nextIndex(const List& list) {
    return static_cast<std::int32_t>(list.size());
}

void readRow(CDataProject& d, const TableRow& row) {
    const std::string& type = row[ColType];
    const std::string& name = row[ColName];
    const std::string& value = row[ColValue];
    const std::string& note = row[ColNote];
    if (type == kindText(KindDecimal)) {
        d.order.push_back({KindDecimal, nextIndex(d.nums)});
        d.nums.push_back({name, parseNumber(value), note});
    } else if (type == kindText(KindStr)) {
        d.order.push_back({KindStr, nextIndex(d.strs)});
        d.strs.push_back({name, value, note});
    } else if (type == kindText(KindSh)) {
        d.order.push_back({KindSh, nextIndex(d.roughs)});
        std::string letters = value.substr(0, 2);
        double v = parseNumber(value.size() > 2 ? value.substr(2) : std::string());
        d.roughs.push_back({name, letters, v, note});
    } else if (type == kindText(KindRazmer)) {
        d.order.push_back({KindRazmer, nextIndex(d.dims)});
        CParRazmer dim;
        dim.name = name;
        dim.note = note;
        parseDimension(dim, value);
        d.dims.push_back(dim);
    }
}

} // namespace

void readParameterTable(CDataProject& data, const InputTable& table) {
    clearParameters(data);
    for (size_t i = 0; i < table.rows.size(); ++i) {
        const TableRow& row = table.rows[i];
        try {
            readRow(data, row);
        } catch (const ConversionError& e) {
            int r = static_cast<int>(i) + 1;
            throw ParameterError(r, row[ColName], e.what(),
                                 tableSection() + ru(u8", строка ") + std::to_string(r) +
                                     ru(u8" (") + row[ColName] + "): " + e.what());
        }
    }
}

} // namespace qm
