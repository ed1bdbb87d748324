// The keyword lines of the project file (Windows-1251), shared by the writer and the scanner.
#pragma once

#include <string>

namespace qm::keyword {

const std::string& project();      // "проект"
const std::string& data();         // "данные"
const std::string& parameter();    // "параметр"
const std::string& dataEnd();      // "конец данных"
const std::string& slides();       // "слайды"
const std::string& slide();        // "слайд"
const std::string& slideEnd();     // "конец слайда"
const std::string& slidesEnd();    // "конец описания слайдов"
const std::string& info();         // "дополнительная информация"
const std::string& infoEnd();      // "конец дополнительной информации"
const std::string& databasePath(); // "путь к базе данных"
const std::string& code();         // "код проекта"
std::string unit(int k);           // "Unit1" .. "Unit11"

// True when `line` is one of the markers "Unit<from>" .. "Unit11".
bool isUnitMarker(const std::string& line, int from);

} // namespace qm::keyword
