// Shared fixtures of the project tests: a scratch folder and a document that uses every section.
#pragma once

#include "project/document.h"
#include "text/cp1251.h"
#include "text/lines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace qm::test {

namespace fs = std::filesystem;

class ScratchFolder : public ::testing::Test {
  protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("qm-project-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const std::string& name) const { return (dir / name).string(); }
    // Writes lines (given in UTF-8) as a Windows-1251 file with CR LF.
    std::string writeUtf8Lines(const std::string& name, const StringList& utf8Lines) const {
        StringList lines;
        for (const auto& l : utf8Lines)
            lines.push_back(utf8ToCp1251(l));
        writeLineFile(file(name), lines);
        return file(name);
    }
};

// Every section: rows of all kinds and one that is no parameter, slides with and without a
// comment, additional information, a database path, the main code and units 1, 3 and 11.
inline ProjectDocument fullDocument() {
    ProjectDocument doc;
    doc.table.rows = {
        {ru(u8"число"), "D", "50", ru(u8"диаметр")},
        {ru(u8"строка"), "M", ru(u8"сталь 45"), ru(u8"материал")},
        {ru(u8"размер"), "d1", "40h6", ru(u8"шейка")},
        {ru(u8"шероховатость"), "r", "Ra3.2", ru(u8"торец")},
        {ru(u8"тип не определен"), "x", "", ""},
        {"", "", "", ru(u8"только примечание")},
    };
    doc.vizor.slides = {{ru(u8"Вал"), "shaft.jpg", {ru(u8"Эскиз вала"), "", "line 3"}},
                        {ru(u8"Пусто"), "empty.jpg", {}}};
    doc.additionalInfo = {ru(u8"Автор: технолог"), ""};
    doc.vizor.dbPath = "/data/shaft.mdb";
    doc.vizor.project.code[0] = {"PRINTF('D=',D);", "", "// end"};
    doc.vizor.project.code[1] = {"PROCEDURE P1();", "END;"};
    doc.vizor.project.code[3] = {""};
    doc.vizor.project.code[11] = {"FUNCTION F(X);", "RETURN X*2;", "END;"};
    return doc;
}

} // namespace qm::test
