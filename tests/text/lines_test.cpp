#include "text/cp1251.h"
#include "text/lines.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace qm;
namespace fs = std::filesystem;

TEST(Lines, EveryLineEndSplits) {
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (StringList{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), (StringList{"a"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (StringList{"a", ""}));
    EXPECT_EQ(splitLines("\n\rx"), (StringList{"", "", "x"}));
    EXPECT_EQ(splitLines(""), StringList{});
}

TEST(Lines, Utf8FileIsConvertedOtherBytesAreWindows1251) {
    const std::string cp = "\xCC\xE8\xF0"; // Мир
    EXPECT_EQ(decodeFileText("\xD0\x9C\xD0\xB8\xD1\x80"), cp);
    EXPECT_EQ(decodeFileText("\xEF\xBB\xBF\xD0\x9C\xD0\xB8\xD1\x80"), cp);
    EXPECT_EQ(decodeFileText(cp), cp);
    EXPECT_EQ(decodeFileText("ascii only"), "ascii only");
}

class LineFiles : public ::testing::Test {
  protected:
    fs::path dir = fs::temp_directory_path() / ("qm-lines-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_F(LineFiles, WritesWindows1251WithCrLfAndReadsItBack) {
    auto path = (dir / "f.txt").string();
    StringList lines{ru("Вал"), "", "x=1;"};
    writeLineFile(path, lines);
    EXPECT_EQ(readFileBytes(path), "\xC2\xE0\xEB\r\n\r\nx=1;\r\n");
    EXPECT_EQ(readLineFile(path), lines);
}

TEST_F(LineFiles, FailedWriteLeavesTheOldFileAndNamesIt) {
    auto path = (dir / "old.txt").string();
    writeLineFile(path, {"old"});
    // A file-size limit makes the write fail as a full disk would, for root as well.
    struct rlimit saved;
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1024;
    ::setrlimit(RLIMIT_FSIZE, &small);
    std::string error;
    try {
        writeLineFile(path, {std::string(4096, 'x')});
    } catch (const FileError& e) {
        error = e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(readFileBytes(path), "old\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1)
        << "the temporary file was left behind";
}

TEST_F(LineFiles, WriteIntoMissingFolderFailsCleanly) {
    auto path = (dir / "no" / "such.txt").string();
    EXPECT_THROW(writeLineFile(path, {"x"}), FileError);
    EXPECT_THROW(readLineFile(path), FileError);
}
