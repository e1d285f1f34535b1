#include "datafile/FileVersionInfo.h"

#include "support/Program.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

TEST(FileVersionInfo, OwnProductVersion) {
    FileVersionInfo info(nullptr);
    EXPECT_STREQ("2.10", info.QueryString("ProductVersion"));
    EXPECT_STREQ("Zarnik", info.QueryString("CompanyName"));
    EXPECT_EQ(nullptr, info.QueryString("NoSuchValue"));
    // A name too long for the query path gives null.
    EXPECT_EQ(nullptr, info.QueryString(std::string(10000, 'N').c_str()));
    EXPECT_STREQ("2.10", info.QueryString("ProductVersion")); // the prefix survives queries
}

TEST(FileVersionInfo, OtherTranslationOnlyGivesNull) {
    FileVersionInfo info(nullptr);
    // Built beside this program; its strings stand under 0407/04B0 only.
    info.LoadFromFile(BesideThisTest("other_translation.dll").c_str());
    EXPECT_EQ(nullptr, info.QueryString("ProductVersion"));
    // The string is there, under its own translation.
    info.SetTranslation(0x0407, 0x04B0);
    EXPECT_STREQ("9.99", info.QueryString("ProductVersion"));
}

TEST(FileVersionInfo, FileWithoutVersionInformation) {
    TempDir dir;
    WriteFileBytes(dir / "plain.txt", "no resources here");
    FileVersionInfo info(nullptr);
    info.LoadFromFile((dir / "plain.txt").c_str());
    EXPECT_EQ(nullptr, info.QueryString("ProductVersion"));
}
