#include "project/file_format.h"
#include "project/parameters.h"
#include "project/project_file.h"

#include "project_fixtures.h"

#include <csignal>
#include <sys/resource.h>

using namespace qm;
using namespace qm::test;

namespace {

StringList utf8(const StringList& cp1251Lines) {
    StringList out;
    for (const auto& l : cp1251Lines)
        out.push_back(cp1251ToUtf8(l));
    return out;
}

// Everything a failed open must leave alone.
std::string snapshot(const ProjectDocument& doc) {
    std::string s = doc.projectFileName + "|" + doc.projectTitle + "|" + doc.vizor.workDir + "|" +
                    doc.vizor.dbPath + "|" + std::to_string(doc.table.rows.size()) + "|";
    for (const auto& row : doc.table.rows)
        for (const auto& cell : row)
            s += cell + "|";
    s += std::to_string(doc.vizor.project.data.order.size()) + "|";
    for (const auto& l : buildProjectLines(doc))
        s += l + "\n";
    return s;
}

} // namespace

class ProjectFile : public ScratchFolder {};

TEST_F(ProjectFile, WritesTheLayoutLineByLine) {
    ProjectDocument doc = fullDocument();
    ASSERT_TRUE(saveProjectAs(doc, file("p.qmp")));
    const StringList expected = {
        u8"проект",
        "",
        u8"данные",
        "",
        u8"параметр",
        u8"число",
        "D",
        "50",
        u8"диаметр",
        u8"параметр",
        u8"строка",
        "M",
        u8"сталь 45",
        u8"материал",
        u8"параметр",
        u8"размер",
        "d1",
        "40h6",
        u8"шейка",
        u8"параметр",
        u8"шероховатость",
        "r",
        "Ra3.2",
        u8"торец",
        u8"параметр",
        u8"тип не определен",
        "x",
        "",
        "",
        u8"параметр",
        "",
        "",
        "",
        u8"только примечание",
        u8"конец данных",
        "",
        u8"слайды",
        "",
        u8"слайд",
        u8"Вал",
        "shaft.jpg",
        u8"Эскиз вала",
        "",
        "line 3",
        u8"конец слайда",
        u8"слайд",
        u8"Пусто",
        "empty.jpg",
        u8"конец слайда",
        "",
        u8"конец описания слайдов",
        u8"дополнительная информация",
        u8"Автор: технолог",
        "",
        u8"конец дополнительной информации",
        "",
        u8"путь к базе данных",
        "/data/shaft.mdb",
        "",
        u8"код проекта",
        "PRINTF('D=',D);",
        "",
        "// end",
        "Unit1",
        "PROCEDURE P1();",
        "END;",
        "Unit3",
        "",
        "Unit11",
        "FUNCTION F(X);",
        "RETURN X*2;",
        "END;",
    };
    EXPECT_EQ(utf8(splitLines(readFileBytes(file("p.qmp")))), expected);
    std::string bytes = readFileBytes(file("p.qmp"));
    EXPECT_EQ(bytes.substr(0, 10), "\xEF\xF0\xEE\xE5\xEA\xF2\r\n\r\n"); // Windows-1251, CR LF
    EXPECT_EQ(bytes.substr(bytes.size() - 6), "END;\r\n");
    EXPECT_EQ(doc.projectTitle, "p.qmp");
    EXPECT_EQ(doc.vizor.workDir, dir.string() + "/");
}

TEST_F(ProjectFile, ReadingAWrittenFileAndWritingItAgainGivesTheSameBytes) {
    ProjectDocument minimal;
    minimal.table.rows.clear();
    minimal.vizor.project.code[0].clear();
    ProjectDocument units = fullDocument();
    units.vizor.dbPath.clear();
    for (int k = 1; k <= 11; ++k)
        units.vizor.project.code[k] = {"// unit " + std::to_string(k)};
    int n = 0;
    for (ProjectDocument* doc : {&minimal, &units}) {
        std::string first = file("a" + std::to_string(n) + ".qmp");
        std::string second = file("b" + std::to_string(n++) + ".qmp");
        ASSERT_TRUE(saveProjectAs(*doc, first));
        ProjectDocument back;
        loadProject(back, first);
        ASSERT_TRUE(saveProjectAs(back, second));
        EXPECT_EQ(readFileBytes(first), readFileBytes(second));
    }
    ProjectDocument full = fullDocument();
    ASSERT_TRUE(saveProjectAs(full, file("full.qmp")));
    ProjectDocument back;
    loadProject(back, file("full.qmp"));
    EXPECT_EQ(back.table.rows, full.table.rows);
    EXPECT_EQ(back.vizor.project.code, full.vizor.project.code);
    EXPECT_EQ(back.additionalInfo, full.additionalInfo);
    EXPECT_EQ(back.vizor.dbPath, full.vizor.dbPath);
    ASSERT_EQ(back.vizor.slides.size(), 2u);
    EXPECT_EQ(back.vizor.slides[0].comment, full.vizor.slides[0].comment);
    EXPECT_EQ(back.vizor.slides[1].image, "empty.jpg");
    ASSERT_TRUE(saveProject(back));
    EXPECT_EQ(readFileBytes(file("full.qmp")), joinLinesCrLf(buildProjectLines(full)));
}

TEST_F(ProjectFile, EmptyRowsAreNotWrittenAndNoSlidesGiveTheBareSection) {
    ProjectDocument doc; // four empty rows, no slides, no units
    doc.vizor.project.code[0] = {"X=1;"};
    ASSERT_TRUE(saveProjectAs(doc, file("e.qmp")));
    const StringList expected = {u8"проект",
                                 "",
                                 u8"данные",
                                 "",
                                 u8"конец данных",
                                 "",
                                 u8"слайды",
                                 "",
                                 "",
                                 u8"конец описания слайдов",
                                 u8"дополнительная информация",
                                 u8"конец дополнительной информации",
                                 "",
                                 u8"код проекта",
                                 "X=1;"};
    EXPECT_EQ(utf8(readLineFile(file("e.qmp"))), expected);
}

TEST_F(ProjectFile, TheFirstTwoLinesAreNeverExamined) {
    auto path = writeUtf8Lines("f.qmp", {u8"код проекта", "A=1;", u8"код проекта", "B=2;"});
    ProjectDocument doc;
    loadProject(doc, path);
    EXPECT_EQ(doc.vizor.project.code[0], StringList{"B=2;"});
}

TEST_F(ProjectFile, UnitsOutOfOrderAndLowerMarkersAreContent) {
    auto path =
        writeUtf8Lines("u.qmp", {u8"проект", "", u8"код проекта", "main;", "Unit3", "three;",
                                 "Unit2", "two;", "Unit1", "still three;", "Unit5", "five;"});
    ProjectDocument doc;
    loadProject(doc, path);
    EXPECT_EQ(doc.vizor.project.code[0], StringList{"main;"});
    EXPECT_TRUE(doc.vizor.project.code[2].empty());
    EXPECT_EQ(doc.vizor.project.code[3],
              (StringList{"three;", "Unit2", "two;", "Unit1", "still three;"}));
    EXPECT_EQ(doc.vizor.project.code[5], StringList{"five;"});
}

TEST_F(ProjectFile, KeywordsInsideContentAreTakenAsKeywords) {
    // A note that is the database keyword, and a slide comment line that ends the slide.
    auto path = writeUtf8Lines("k.qmp", {u8"проект", "", u8"данные", "", u8"параметр", u8"строка",
                                         "S", "x", u8"путь к базе данных", "/db.mdb", u8"слайд",
                                         "s", "s.jpg", "c1", u8"конец слайда", "c2",
                                         u8"конец слайда", u8"код проекта", "main;"});
    ProjectDocument doc;
    loadProject(doc, path);
    ASSERT_EQ(doc.table.rows.size(), 1u);
    EXPECT_EQ(doc.vizor.dbPath, "/db.mdb");
    ASSERT_EQ(doc.vizor.slides.size(), 1u);
    EXPECT_EQ(doc.vizor.slides[0].comment, StringList{"c1"});
    EXPECT_EQ(doc.vizor.project.code[0], StringList{"main;"});

    // A note "Unit2" opens unit 2, which runs to the end of the file.
    path = writeUtf8Lines("u.qmp", {u8"проект", "", u8"данные", "", u8"параметр", u8"число", "A",
                                    "1", "Unit2", u8"параметр", u8"число", "B", "2",
                                    u8"конец данных", u8"код проекта", "main;"});
    loadProject(doc, path);
    ASSERT_EQ(doc.table.rows.size(), 1u);
    EXPECT_TRUE(doc.vizor.project.code[0].empty());
    EXPECT_EQ(utf8(doc.vizor.project.code[2]),
              (StringList{u8"параметр", u8"число", "B", "2", u8"конец данных", u8"код проекта",
                          "main;"}));
}

TEST_F(ProjectFile, AFileEndingInsideARecordLeavesTheOpenProjectAsItWas) {
    struct Case {
        const char* what;
        StringList tail;
        int line; // the line of the record's keyword
    };
    const Case cases[] = {
        {u8"параметр", {u8"параметр", u8"число", "D", "50"}, 3},
        {u8"путь к базе данных", {u8"путь к базе данных"}, 3},
        {u8"путь к базе данных", {u8"путь к базе данных", "/x.mdb"}, 3},
        {u8"слайд", {u8"слайд", "name", "pic.jpg", "comment"}, 3},
        {u8"слайд", {u8"слайд", "name"}, 3},
        {u8"дополнительная информация", {u8"дополнительная информация", "text"}, 3},
    };
    ProjectDocument doc = fullDocument();
    ASSERT_TRUE(saveProjectAs(doc, file("old.qmp")));
    readParameterTable(doc.vizor.project.data, doc.table);
    const std::string before = snapshot(doc);
    for (const auto& c : cases) {
        StringList lines = {u8"проект", ""};
        lines.insert(lines.end(), c.tail.begin(), c.tail.end());
        auto path = writeUtf8Lines("broken.qmp", lines);
        try {
            loadProject(doc, path);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const ProjectFileError& e) {
            std::string msg = cp1251ToUtf8(e.what());
            EXPECT_EQ(msg.find(path + ", строка " + std::to_string(c.line) + ": "), 0u) << msg;
            EXPECT_NE(msg.find(std::string("«") + c.what + "»"), std::string::npos) << msg;
        }
        EXPECT_EQ(snapshot(doc), before) << c.what;
    }
}

TEST_F(ProjectFile, AMissingFileNamesItAndChangesNothing) {
    ProjectDocument doc = fullDocument();
    const std::string before = snapshot(doc);
    try {
        loadProject(doc, file("none.qmp"));
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(file("none.qmp")), std::string::npos);
    }
    EXPECT_EQ(snapshot(doc), before);
}

TEST_F(ProjectFile, ACellThatDoesNotConvertOpensTheProjectAndNamesTheLine) {
    auto path = writeUtf8Lines("c.qmp", {u8"проект", "", u8"данные", "", u8"параметр", u8"число",
                                         "A", "1", "", u8"параметр", u8"число", "B", "4,5,2", "",
                                         u8"конец данных", u8"код проекта", "PRINT(B);"});
    ProjectDocument doc = fullDocument();
    try {
        loadProject(doc, path);
        FAIL();
    } catch (const ParameterError& e) {
        EXPECT_EQ(e.row, 2);
        EXPECT_EQ(e.name, "B");
        EXPECT_EQ(
            cp1251ToUtf8(e.what()),
            path + ", строка 13: '4.5,2' не является правильным числом (исходные данные, строка 2, "
                   "параметр B)");
    }
    EXPECT_EQ(doc.projectFileName, path);
    EXPECT_EQ(doc.projectTitle, "c.qmp");
    EXPECT_EQ(doc.vizor.project.code[0], StringList{"PRINT(B);"});
    EXPECT_TRUE(doc.vizor.slides.empty());
    EXPECT_TRUE(doc.vizor.dbPath.empty());
    ASSERT_EQ(doc.table.rows.size(), 2u);
    // The entry of the failed row is in the order without an element behind it.
    EXPECT_EQ(doc.vizor.project.data.order.size(), 2u);
    EXPECT_EQ(doc.vizor.project.data.nums.size(), 1u);
}

TEST_F(ProjectFile, TheStepsOfAnOpenRunInTheirOrder) {
    ProjectDocument doc = fullDocument();
    ASSERT_TRUE(saveProjectAs(doc, file("h.qmp")));
    std::vector<std::string> calls;
    ProjectHooks hooks;
    hooks.disconnectDatabase = [&] { calls.push_back("disconnect"); };
    hooks.removeDataSource = [&] { calls.push_back("data source"); };
    hooks.connectDatabase = [&](const std::string& p) { calls.push_back("connect " + p); };
    hooks.closeWindows = [&] { calls.push_back("close"); };
    hooks.fileNameChanged = [&](const std::string&) { calls.push_back("name"); };
    hooks.slidesChanged = [&] {
        calls.push_back("slides " + std::to_string(doc.vizor.slideCount()));
    };
    ProjectDocument other;
    other.vizor.currentSlide = 5;
    std::swap(doc, other);
    loadProject(doc, file("h.qmp"), hooks);
    EXPECT_EQ(calls,
              (std::vector<std::string>{"disconnect", "data source", "connect /data/shaft.mdb",
                                        "close", "name", "slides 2"}));
    EXPECT_EQ(doc.vizor.currentSlide, 0);
}

TEST_F(ProjectFile, ADatabaseThatDoesNotConnectKeepsItsPathAndTheProjectOpens) {
    ProjectDocument doc = fullDocument();
    ASSERT_TRUE(saveProjectAs(doc, file("db.qmp")));
    ProjectHooks hooks;
    hooks.connectDatabase = [](const std::string&) { throw std::runtime_error("no driver"); };
    ProjectDocument back;
    EXPECT_THROW(loadProject(back, file("db.qmp"), hooks), std::runtime_error);
    EXPECT_EQ(back.projectFileName, file("db.qmp"));
    EXPECT_EQ(back.vizor.dbPath, "/data/shaft.mdb");
    EXPECT_EQ(back.vizor.project.code, doc.vizor.project.code);
}

TEST_F(ProjectFile, Utf8FilesAreReadAndACharacterWithoutWindows1251FormNamesItsLine) {
    std::string path = file("u8.qmp");
    writeFileAtomically(path, u8"проект\n\nкод проекта\nPRINT('Вал');\n");
    ProjectDocument doc;
    loadProject(doc, path);
    EXPECT_EQ(doc.vizor.project.code[0], StringList{ru(u8"PRINT('Вал');")});
    writeFileAtomically(path, u8"проект\n\nкод проекта\nPRINT('→');\n");
    try {
        loadProject(doc, path);
        FAIL();
    } catch (const ProjectFileError& e) {
        EXPECT_EQ(std::string(e.what()).find(path + ru(u8", строка 4: ")), 0u) << e.what();
    }
}

TEST_F(ProjectFile, AFailedSaveLeavesTheOldFileByteForByteAndTheOldName) {
    ProjectDocument doc = fullDocument();
    ASSERT_TRUE(saveProjectAs(doc, file("keep.qmp")));
    const std::string old = readFileBytes(file("keep.qmp"));
    ProjectDocument other = fullDocument();
    ASSERT_TRUE(saveProjectAs(other, file("other.qmp")));
    other.vizor.project.code[0].assign(200, std::string(100, 'x'));
    struct rlimit saved;
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    std::string error;
    try {
        saveProjectAs(other, file("keep.qmp"));
    } catch (const FileError& e) {
        error = e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_NE(error.find(file("keep.qmp")), std::string::npos) << error;
    EXPECT_EQ(readFileBytes(file("keep.qmp")), old);
    EXPECT_EQ(other.projectFileName, file("other.qmp"));
    EXPECT_EQ(other.projectTitle, "other.qmp");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST_F(ProjectFile, ALineBreakInsideATextIsRefusedBeforeAnythingIsWritten) {
    ProjectDocument doc = fullDocument();
    ASSERT_TRUE(saveProjectAs(doc, file("lb.qmp")));
    const std::string old = readFileBytes(file("lb.qmp"));
    doc.table.rows[1][ColValue] = "two\nlines";
    try {
        saveProject(doc);
        FAIL();
    } catch (const ProjectFileError& e) {
        std::string msg = cp1251ToUtf8(e.what());
        EXPECT_EQ(msg.find(file("lb.qmp") + ": Исходные данные, строка 2, значение"), 0u) << msg;
    }
    EXPECT_EQ(readFileBytes(file("lb.qmp")), old);
}

TEST_F(ProjectFile, AnUnnamedProjectAsksForANameAndACancelWritesNothing) {
    ProjectDocument doc = fullDocument();
    EXPECT_FALSE(saveProject(doc));
    ProjectHooks hooks;
    hooks.askSaveFileName = [] { return std::optional<std::string>(); };
    EXPECT_FALSE(saveProject(doc, hooks));
    EXPECT_EQ(doc.projectFileName, unnamedProject());
    EXPECT_TRUE(fs::is_empty(dir));
    hooks.askSaveFileName = [&] { return std::optional<std::string>(file("named.qmp")); };
    EXPECT_TRUE(saveProject(doc, hooks));
    EXPECT_TRUE(fs::exists(file("named.qmp")));
    EXPECT_EQ(doc.projectFileName, file("named.qmp"));
}
