// Building the lines of a .qmp file from the document.
#include "project/file_format.h"
#include "project/keywords.h"

#include "text/cp1251.h"

namespace qm {

namespace {

// A text with a line break would come back as two lines and shift every record after it.
void checkLine(const std::string& text, const std::string& what) {
    if (text.find_first_of("\r\n") != std::string::npos)
        throw ProjectFileError(what + ru(u8": текст содержит перевод строки, в файле проекта он "
                                         u8"недопустим"));
}

void checkLines(const StringList& lines, const std::string& what) {
    for (size_t i = 0; i < lines.size(); ++i)
        checkLine(lines[i], what + ru(u8", строка ") + std::to_string(i + 1));
}

void checkDocument(const ProjectDocument& doc) {
    static const char* const columns[4] = {u8"тип", u8"переменная", u8"значение", u8"примечание"};
    for (size_t r = 0; r < doc.table.rows.size(); ++r)
        for (int c = 0; c < 4; ++c)
            checkLine(doc.table.rows[r][c], ru(u8"Исходные данные, строка ") +
                                                std::to_string(r + 1) + ", " + ru(columns[c]));
    for (const auto& s : doc.vizor.slides) {
        checkLine(s.name, ru(u8"Слайд ") + s.name);
        checkLine(s.image, ru(u8"Слайд ") + s.name);
        checkLines(s.comment, ru(u8"Слайд ") + s.name);
    }
    checkLines(doc.additionalInfo, ru(u8"Дополнительная информация"));
    checkLine(doc.vizor.dbPath, ru(u8"Путь к базе данных"));
    checkLines(doc.vizor.project.code[0], ru(u8"Основной код"));
    for (int k = 1; k <= 11; ++k)
        checkLines(doc.vizor.project.code[k], keyword::unit(k));
}

void append(StringList& out, const StringList& lines) {
    out.insert(out.end(), lines.begin(), lines.end());
}

} // namespace

StringList buildProjectLines(const ProjectDocument& doc) {
    checkDocument(doc);
    StringList out{keyword::project(), "", keyword::data(), ""};
    for (const auto& row : doc.table.rows) {
        if (rowIsEmpty(row)) continue;
        out.push_back(keyword::parameter());
        out.insert(out.end(), row.begin(), row.end());
    }
    out.insert(out.end(), {keyword::dataEnd(), "", keyword::slides(), ""});
    for (const auto& s : doc.vizor.slides) {
        out.insert(out.end(), {keyword::slide(), s.name, s.image});
        append(out, s.comment);
        out.push_back(keyword::slideEnd());
    }
    out.insert(out.end(), {"", keyword::slidesEnd(), keyword::info()});
    append(out, doc.additionalInfo);
    out.insert(out.end(), {keyword::infoEnd(), ""});
    if (!doc.vizor.dbPath.empty())
        out.insert(out.end(), {keyword::databasePath(), doc.vizor.dbPath, ""});
    out.push_back(keyword::code());
    append(out, doc.vizor.project.code[0]);
    for (int k = 1; k <= 11; ++k) {
        const StringList& unit = doc.vizor.project.code[k];
        if (unit.empty()) continue;
        out.push_back(keyword::unit(k));
        append(out, unit);
    }
    return out;
}

} // namespace qm
