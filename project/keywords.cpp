#include "project/keywords.h"

#include "text/cp1251.h"

namespace qm::keyword {

#define QM_KEYWORD(fn, text)                                                                       \
    const std::string& fn() {                                                                      \
        static const std::string s = ru(text);                                                     \
        return s;                                                                                  \
    }

QM_KEYWORD(project, u8"проект")
QM_KEYWORD(data, u8"данные")
QM_KEYWORD(parameter, u8"параметр")
QM_KEYWORD(dataEnd, u8"конец данных")
QM_KEYWORD(slides, u8"слайды")
QM_KEYWORD(slide, u8"слайд")
QM_KEYWORD(slideEnd, u8"конец слайда")
QM_KEYWORD(slidesEnd, u8"конец описания слайдов")
QM_KEYWORD(info, u8"дополнительная информация")
QM_KEYWORD(infoEnd, u8"конец дополнительной информации")
QM_KEYWORD(databasePath, u8"путь к базе данных")
QM_KEYWORD(code, u8"код проекта")

#undef QM_KEYWORD

std::string unit(int k) {
    return "Unit" + std::to_string(k);
}

bool isUnitMarker(const std::string& line, int from) {
    if (line.size() < 5 || line.size() > 6 || line.compare(0, 4, "Unit") != 0) return false;
    for (int k = from < 1 ? 1 : from; k <= 11; ++k)
        if (line == unit(k)) return true;
    return false;
}

} // namespace qm::keyword
