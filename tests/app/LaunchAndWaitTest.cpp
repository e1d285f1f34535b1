#include "app/LaunchAndWait.h"

#include "support/Program.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The child program built beside this test.
std::string Child() {
    return "\"" + BesideThisTest("child.exe") + "\"";
}

DWORD Launch(std::string commandLine, DWORD limit, int terminate) {
    return LaunchAndWait(&commandLine[0], SW_SHOW, limit, terminate);
}

} // namespace

// Within the limit or past it, a process that has ended gives its code.
TEST(LaunchAndWait, ReturnsExitCode) {
    EXPECT_EQ(7u, Launch(Child() + " exit 7", 0, 0));
    EXPECT_EQ(3u, Launch(Child() + " exit 3", 1, 1));
}

TEST(LaunchAndWait, MissingProgramGivesAllOnesAtOnce) {
    DWORD before = GetTickCount();
    EXPECT_EQ(0xFFFFFFFFu, Launch("\"C:\\no\\such\\program.exe\" x", 0, 0));
    EXPECT_LT(GetTickCount() - before, 1000u);
}

// Past the limit the process is ended, or left running. The mutex that the
// "hold" child owns is gone, or abandoned, once the child has ended.
TEST(LaunchAndWait, LimitEndsProcessOnlyWhenAskedTo) {
    const std::string name = "SysReportChild-" + std::to_string(GetCurrentProcessId());
    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, (name + "-stop").c_str());
    auto childRuns = [&name] {
        HANDLE m = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
        DWORD r = m ? WaitForSingleObject(m, 2000) : WAIT_FAILED;
        if (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED)
            ReleaseMutex(m);
        if (m)
            CloseHandle(m);
        return r == WAIT_TIMEOUT;
    };
    Launch(Child() + " hold " + name, 1, 1);
    EXPECT_FALSE(childRuns());
    EXPECT_EQ(STILL_ACTIVE, Launch(Child() + " hold " + name, 1, 0));
    EXPECT_TRUE(childRuns());
    SetEvent(stop);
    CloseHandle(stop);
}
