#include "db/connection_string.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

const std::string kHead = "Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;";

TEST(ConnectionString, StartsWithoutDataSource) {
    const std::string& s = startConnectionString();
    EXPECT_EQ(s.rfind(kHead + "Mode=Share Deny None;Extended Properties=\"\";", 0), 0u);
    EXPECT_NE(s.find(";Jet OLEDB:Don't Copy Locale on Compact=False;"), std::string::npos);
    EXPECT_EQ(s.substr(s.size() - 20), ";Jet OLEDB:SFP=False");
    EXPECT_FALSE(hasDataSource(s));
    EXPECT_EQ(dataSource(s), "");
}

TEST(ConnectionString, EntryStandsAfterUserIdAndTheRestFollowsUnchanged) {
    const std::string& s = startConnectionString();
    std::string with = insertDataSource(s, "/home/u/base.db");
    EXPECT_EQ(with, kHead + "Data Source=/home/u/base.db;" + s.substr(kHead.size()));
    EXPECT_EQ(dataSource(with), "/home/u/base.db");
    EXPECT_EQ(removeDataSource(with), s);
}

TEST(ConnectionString, OddPathsKeepTheEntryWhole) {
    const std::string& s = startConnectionString();
    for (std::string path : {"/tmp/a;b.db", "/tmp/\"q\".db", "/tmp/x;User ID=Admin;y.db",
                             "/tmp/Data Source=z.db", "\"", ";"}) {
        SCOPED_TRACE(path);
        std::string with = insertDataSource(s, path);
        EXPECT_EQ(dataSource(with), path);
        EXPECT_EQ(removeDataSource(with), s);
        // A second connection finds the one entry to replace.
        std::string again = insertDataSource(removeDataSource(with), "/b.db");
        EXPECT_EQ(dataSource(again), "/b.db");
        EXPECT_EQ(removeDataSource(again), s);
    }
}

TEST(ConnectionString, RemovalRunsThroughTheNextSemicolonOnly) {
    EXPECT_EQ(removeDataSource("A=1;Data Source=x;B=2;"), "A=1;B=2;");
    EXPECT_EQ(removeDataSource("A=1;Data Source=x"), "A=1;");
    EXPECT_EQ(removeDataSource("A=1;B=2"), "A=1;B=2");
}

} // namespace
} // namespace qm
