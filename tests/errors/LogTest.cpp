#include "errors/Log.h"
#include "LogFixture.h"

#include <windows.h>

#include <string>

// LF becomes CR LF, CR LF stays one line end, a lone CR goes.
TEST_F(LogOn, LineEndsBecomeCrLf) {
    LogPrintf("\n\r\r\na\nb\r\nc\rd\n\n");
    EXPECT_EQ("\r\n\r\na\r\nb\r\ncd\r\n\r\n", Logged());
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
