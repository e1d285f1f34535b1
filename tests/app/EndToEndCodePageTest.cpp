// The report's script means the same in every code page: the machine's
// texts reach it as ASCII.
#include "EndToEnd.h"

// Under code page 932 the stand-in's adapter describes itself as "Kit " and
// katakana so, bytes 0x83 0x5C: written byte by byte, the 0x5C would read as
// a backslash that escapes the closing quote. Wine takes the code page from
// LC_ALL when a process starts, and a variable set here would not reach the
// program: CTest runs this case again with LC_ALL=ja_JP.UTF-8.
TEST_F(EndToEnd, DoubleByteTextsReachTheScriptAsAscii) {
    if (GetACP() != 932)
        GTEST_SKIP() << "runs under code page 932 only";
    StandInSetupLibrary library;
    ASSERT_TRUE(library.installed);
    EXPECT_TRUE(Run(SYSREPORT_EXE, "/nodriver").boxes.empty());
    EXPECT_NE(std::string::npos, Captured("input.txt").find("WaveLink310Name=\"Kit \\u30BD\";"));
}
