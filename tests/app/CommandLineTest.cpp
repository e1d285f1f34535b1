#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, NoDriverIsAWordOfItsOwnInAnyCase) {
    for (const char* line :
         {"/nodriver", "-NODRIVER", "x /NoDriver y", "\t-nodriver\t", "/a /nodriver"})
        EXPECT_TRUE(AsksForNoDriver(line)) << line;
    for (const char* line :
         {"", "nodriver", "/nodrivers", "/no driver", "x/nodriver", "//nodriver", "/nodrive"})
        EXPECT_FALSE(AsksForNoDriver(line)) << line;
    EXPECT_FALSE(AsksForNoDriver(nullptr));
}
