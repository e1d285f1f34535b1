#include "errors/Log.h"
#include "LogFixture.h"

#include <windows.h>

#include <string>

TEST(LogOff, WritesAndCreatesNothing) {
    TempDir dir;
    LogFileName = dir / "error.log";
    LogPrintf("%s\n", "text");
    EXPECT_FALSE(FileExists(LogFileName));
    LogFileName.clear();
}

TEST_F(LogOn, LineFeedBecomesCrLf) {
    LogPrintf("a\nb");
    EXPECT_EQ("a\r\nb", Logged());
}

TEST_F(LogOn, CrLfStaysOneLineEnd) {
    LogPrintf("a\r\nb");
    EXPECT_EQ("a\r\nb", Logged());
}

TEST_F(LogOn, LoneCrIsDropped) {
    LogPrintf("a\rb");
    EXPECT_EQ("ab", Logged());
}

TEST_F(LogOn, LineEndsAtBothEndsAndInARow) {
    LogPrintf("\n\r\r\nx\n\n");
    EXPECT_EQ("\r\n\r\nx\r\n\r\n", Logged());
}

TEST_F(LogOn, EmptyTextCreatesEmptyFile) {
    LogPrintf("%s", "");
    ASSERT_TRUE(FileExists(LogFileName));
    EXPECT_EQ("", Logged());
}

TEST_F(LogOn, AppendsToExistingFile) {
    WriteFileBytes(LogFileName, "old\r\n");
    LogPrintf("%d-%s\n", 7, "new");
    EXPECT_EQ("old\r\n7-new\r\n", Logged());
}

TEST_F(LogOn, LongTextIsCutAtBuffer) {
    std::string longText(5000, 'x');
    LogPrintf("%s", longText.c_str());
    EXPECT_EQ(std::string(1023, 'x'), Logged());
}

TEST_F(LogOn, FileHeldByAnotherIsSilentlySkipped) {
    WriteFileBytes(LogFileName, "kept");
    HANDLE held =
        CreateFileA(LogFileName.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    LogPrintf("lost\n");
    CloseHandle(held);
    EXPECT_EQ("kept", Logged());
}
