#include "win/ReplacingFile.h"

#include "win/Handle.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// What is in `dir` under a name with ".json" in it, ours included.
std::set<std::string> Names(const TempDir& dir) {
    std::set<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((dir / "*.json*").c_str(), &entry);
    for (BOOL found = find != INVALID_HANDLE_VALUE; found; found = FindNextFileA(find, &entry))
        names.insert(entry.cFileName);
    FindClose(find);
    return names;
}

// MoveFileExA as Windows 9x has it, and one that is refused.
BOOL WINAPI NotImplemented(LPCSTR, LPCSTR, DWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}
BOOL WINAPI Denied(LPCSTR, LPCSTR, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

const MoveFileExFunction renames[] = {MoveFileExA, NotImplemented};

} // namespace

TEST(ReplacingFile, WritesOrReplacesAndLeavesNothingElse) {
    for (MoveFileExFunction rename : renames) {
        TempDir dir;
        std::string path = dir / "report.json";
        ASSERT_TRUE(WriteReplacing(path, "first", rename));
        EXPECT_EQ("first", ReadFileBytes(path));
        ASSERT_TRUE(WriteReplacing(path, "", rename));
        EXPECT_EQ("", ReadFileBytes(path));
        EXPECT_EQ(std::set<std::string>{"report.json"}, Names(dir));
    }
}

TEST(ReplacingFile, FailureLeavesTheNameAsItWasAndNothingOfOurs) {
    for (MoveFileExFunction rename : renames) {
        TempDir dir;
        std::string folder = dir / "out.json", readOnly = dir / "ro.json", file = dir / "f.json";
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        WriteFileBytes(readOnly, "old");
        SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
        WriteFileBytes(file, "old");
        EXPECT_FALSE(WriteReplacing(folder, "new", rename));
        EXPECT_FALSE(WriteReplacing(readOnly, "new", rename));
        EXPECT_FALSE(WriteReplacing(dir / "missing\\x.json", "new", rename));
        EXPECT_FALSE(WriteReplacing(file, "new", Denied));
        EXPECT_EQ("old", ReadFileBytes(readOnly));
        EXPECT_EQ("old", ReadFileBytes(file));
        EXPECT_EQ((std::set<std::string>{"f.json", "out.json", "ro.json"}), Names(dir));
    }
}

TEST(ReplacingFile, LinkAtTheNameIsReplacedAndItsTargetKept) {
    TempDir dir;
    WriteFileBytes(dir / "target", "theirs");
    // Wine starts Unix programs too, and follows a Unix link like a file.
    char line[] = "/bin/ln -s target link.json";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started;
    if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, dir.Path().c_str(),
                        &startup, &started))
        GTEST_SKIP() << "no /bin/ln to plant a link with";
    // Wine gives no handle to wait on for a Unix program: the link is
    // awaited instead.
    Handle process(started.hProcess), thread(started.hThread);
    for (int i = 0; i < 100 && !FileExists(dir / "link.json"); ++i)
        Sleep(50);
    ASSERT_EQ("theirs", ReadFileBytes(dir / "link.json"));
    EXPECT_TRUE(WriteReplacing(dir / "link.json", "ours"));
    EXPECT_EQ("ours", ReadFileBytes(dir / "link.json"));
    EXPECT_EQ("theirs", ReadFileBytes(dir / "target"));
}
