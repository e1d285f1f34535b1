#include "win/NewFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

TEST(NewFile, MadeOnlyUnderAFreeNameAndHeldUntilDeleted) {
    TempDir dir;
    std::string path = dir / "output.hta", moved = dir / "moved.hta";
    WriteFileBytes(path, "theirs");
    EXPECT_FALSE(NewFile().Create(path, "ours"));
    EXPECT_EQ("theirs", ReadFileBytes(path)) << "a taken name was written or deleted";
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    {
        NewFile file;
        ASSERT_TRUE(file.Create(path, "ours"));
        // A reader that shares reading only gets in, as the host must;
        // writers, renames and deletes don't.
        HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(INVALID_HANDLE_VALUE, reader);
        CloseHandle(reader);
        HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(INVALID_HANDLE_VALUE, writer);
        CloseHandle(writer);
        EXPECT_FALSE(MoveFileA(path.c_str(), moved.c_str()));
        EXPECT_FALSE(DeleteFileA(path.c_str()));
    }
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(FileExists(moved));
}
