#include "errors/Log.h"
#include "LogFixture.h"

#include <windows.h>

#include <string>

TEST(LogOff, WritesNothingOnceStopped) {
    TempDir dir;
    ASSERT_TRUE(StartLog(dir / "error.log"));
    StopLog();
    LogPrintf("%s\n", "text");
    EXPECT_EQ("", ReadFileBytes(dir / "error.log"));
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
    ASSERT_TRUE(FileExists(path));
    EXPECT_EQ("", Logged());
}

TEST_F(LogOn, AppendsToExistingFile) {
    StopLog();
    WriteFileBytes(path, "old\r\n");
    ASSERT_TRUE(StartLog(path));
    LogPrintf("%d-%s\n", 7, "new");
    EXPECT_EQ("old\r\n7-new\r\n", Logged());
}

TEST_F(LogOn, LongTextIsCutAtBuffer) {
    std::string longText(5000, 'x');
    LogPrintf("%s", longText.c_str());
    std::string logged = Logged();
    EXPECT_TRUE(!logged.empty() && logged.size() < longText.size());
    EXPECT_EQ(std::string(logged.size(), 'x'), logged);
}

// Refused, and the log is off: a file another holds, a folder.
TEST_F(LogOn, RefusesWhatItCannotAppendTo) {
    StopLog();
    WriteFileBytes(path, "kept");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(StartLog(path));
    CloseHandle(held);
    EXPECT_FALSE(StartLog(dir.Path()));
    EXPECT_FALSE(StartLog(dir / "missing\\error.log"));
    LogPrintf("lost\n");
    EXPECT_EQ("kept", Logged());
}
