#include "win/Paths.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(JoinPath, ExactlyOneBackslash) {
    EXPECT_EQ("C:\\dir\\input.txt", JoinPath("C:\\dir", "input.txt"));
    EXPECT_EQ("C:\\input.txt", JoinPath("C:\\", "input.txt"));
    EXPECT_EQ("\\input.txt", JoinPath("", "input.txt"));
    EXPECT_EQ("C:\\dir/\\input.txt", JoinPath("C:\\dir/", "input.txt"));
}
