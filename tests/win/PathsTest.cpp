#include "win/Paths.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(GetCurrentDir, FollowsTheCurrentDirectory) {
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    TempDir dir;
    ASSERT_TRUE(SetCurrentDirectoryA(dir.Path().c_str()));
    std::string current = GetCurrentDir();
    SetCurrentDirectoryA(before);

    char expected[MAX_PATH];
    ASSERT_TRUE(GetFullPathNameA(dir.Path().c_str(), MAX_PATH, expected, nullptr));
    EXPECT_EQ(expected, current);
    EXPECT_EQ(before, GetCurrentDir());
}

TEST(GetCurrentDir, DriveRootKeepsItsBackslash) {
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    std::string current = GetCurrentDir();
    SetCurrentDirectoryA(before);
    EXPECT_EQ("C:\\", current);
}

TEST(JoinPath, ExactlyOneBackslash) {
    EXPECT_EQ("C:\\dir\\input.txt", JoinPath("C:\\dir", "input.txt"));
    EXPECT_EQ("C:\\input.txt", JoinPath("C:\\", "input.txt"));
    EXPECT_EQ("\\input.txt", JoinPath("", "input.txt"));
    EXPECT_EQ("C:\\dir/\\input.txt", JoinPath("C:\\dir/", "input.txt"));
}
