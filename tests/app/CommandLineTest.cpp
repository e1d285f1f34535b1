#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, NoDriverIsAWordOfItsOwnInAnyCase) {
    for (const char* line :
         {"/nodriver", "-NODRIVER", "x /NoDriver y", "\t-nodriver\t", "/a /nodriver"})
        EXPECT_TRUE(ParseCommandLine(line).noDriver) << line;
    for (const char* line :
         {"", "nodriver", "/nodrivers", "/no driver", "x/nodriver", "//nodriver", "/nodrive"})
        EXPECT_FALSE(ParseCommandLine(line).noDriver) << line;
    EXPECT_FALSE(ParseCommandLine(nullptr).noDriver);
}

TEST(CommandLine, ExportAndLogTakeTheNextWordSplitLikeArgv) {
    CommandLine line =
        ParseCommandLine(R"(x -EXPORT "C:\Reports\pc 12.Json" /LOG a\\\"b\\"c d"\e\\ -? y)");
    EXPECT_FALSE(line.bad);
    EXPECT_EQ(R"(C:\Reports\pc 12.Json)", line.exportPath);
    EXPECT_EQ(ExportFormat::Json, line.format);
    EXPECT_EQ(R"(a\"b\c d\e\\)", line.logPath);
    EXPECT_TRUE(line.help);
    EXPECT_TRUE(ParseCommandLine("\"/nodriver\"").noDriver);
    EXPECT_EQ(ExportFormat::Page, ParseCommandLine("/export x.HTM").format);
    EXPECT_EQ(ExportFormat::Page, ParseCommandLine("/export a.b\\x.html").format);
}

TEST(CommandLine, OptionWithoutItsFileOrOtherExtensionIsBad) {
    for (const char* line :
         {"/export", "/export x.txt", "/export json", "/export \"\"", "/export x.json\\y", "/log",
          "/log \"\"", "/log -nodriver", "/export x.json /log"})
        EXPECT_TRUE(ParseCommandLine(line).bad) << line;
    EXPECT_FALSE(ParseCommandLine("/log x /export .\\y.json /nodriver").bad);
}
