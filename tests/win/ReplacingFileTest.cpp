#include "win/ReplacingFile.h"

#include "win/Handle.h"

#include "support/TempDir.h"
#include "support/Wine.h"

#include <gtest/gtest.h>

namespace {

using Write = bool (*)(const std::string&, const std::string&, TempSuffixFunction);
// The native way, and the one by names that Windows 9x takes.
const Write writes[] = {WriteReplacing, WriteReplacingByName};

// The new file's names: 0000000A, 0000000B ...
DWORD suffix;
DWORD NextSuffix() {
    return suffix++;
}

// `swapped`\reports steps aside as "first" and "other" takes its name
// before the new file's name is asked for.
std::string swapped;
DWORD SwapThenSuffix() {
    MoveFileA((swapped + "\\reports").c_str(), (swapped + "\\first").c_str());
    MoveFileA((swapped + "\\other").c_str(), (swapped + "\\reports").c_str());
    return TempSuffix();
}

} // namespace

// A file at the next new name is passed over, never opened.
TEST(ReplacingFile, WritesOrReplacesAndLeavesNothingElse) {
    for (Write replace : writes) {
        TempDir dir;
        std::string path = dir / "report.json", next = path + ".~0000000A";
        WriteFileBytes(next, "theirs");
        suffix = 0xA;
        ASSERT_TRUE(replace(path, "first", NextSuffix));
        EXPECT_EQ("first", ReadFileBytes(path));
        ASSERT_TRUE(replace("\\\\?\\" + path, "", TempSuffix));
        EXPECT_EQ("", ReadFileBytes(path));
        EXPECT_EQ("theirs", ReadFileBytes(next));
        DeleteFileA(next.c_str());
        EXPECT_EQ(std::set<std::string>{"report.json"}, Names(dir / "*.json*"));
    }
}

TEST(ReplacingFile, FailureLeavesTheNameAsItWasAndNothingOfOurs) {
    for (Write replace : writes) {
        TempDir dir;
        std::string folder = dir / "out.json", readOnly = dir / "ro.json", file = dir / "f.json";
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        WriteFileBytes(readOnly, "old");
        SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
        WriteFileBytes(file, "old");
        EXPECT_FALSE(replace(folder, "new", TempSuffix));
        EXPECT_FALSE(replace(readOnly, "new", TempSuffix));
        EXPECT_FALSE(replace(dir / "missing\\x.json", "new", TempSuffix));
        // Open elsewhere, it can be neither replaced nor moved aside.
        Handle held(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr));
        EXPECT_FALSE(replace(file, "new", TempSuffix));
        EXPECT_EQ("old", ReadFileBytes(readOnly));
        EXPECT_EQ("old", ReadFileBytes(file));
        EXPECT_EQ((std::set<std::string>{"f.json", "out.json", "ro.json"}), Names(dir / "*.json*"));
    }
}

// FILE's folder steps aside and another takes its name just before the new
// file is made: the file is made, and takes FILE's name, in the folder
// first named.
TEST(ReplacingFile, StaysInTheFolderFirstNamed) {
    if (RunningUnderWine())
        GTEST_SKIP() << "Wine finds a folder's files by the path it had when it was opened";
    TempDir dir;
    swapped = dir.Path();
    ASSERT_TRUE(CreateDirectoryA((dir / "reports").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((dir / "other").c_str(), nullptr));
    EXPECT_TRUE(WriteReplacing(dir / "reports\\pc.json", "ours", SwapThenSuffix));
    EXPECT_EQ("ours", ReadFileBytes(dir / "first\\pc.json"));
    EXPECT_FALSE(FileExists(dir / "reports\\pc.json"));
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
