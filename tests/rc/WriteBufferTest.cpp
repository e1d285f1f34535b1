#include "rc/WriteBuffer.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

int Write(const std::string& path, std::string bytes, unsigned long& size) {
    return WriteBuffer(path.c_str(), reinterpret_cast<unsigned char*>(&bytes[0]), size);
}

} // namespace

TEST(WriteBuffer, WritesWholeBuffer) {
    TempDir dir;
    unsigned long size = 5;
    EXPECT_EQ(1, Write(dir / "f.txt", "hello", size));
    EXPECT_EQ(5u, size);
    EXPECT_EQ("hello", ReadFileBytes(dir / "f.txt"));
}

TEST(WriteBuffer, SizeZeroCreatesOrEmpties) {
    TempDir dir;
    unsigned long size = 0;
    EXPECT_EQ(1, Write(dir / "new.txt", "x", size));
    EXPECT_EQ("", ReadFileBytes(dir / "new.txt"));
    WriteFileBytes(dir / "old.txt", "content");
    size = 0;
    EXPECT_EQ(1, Write(dir / "old.txt", "x", size));
    EXPECT_EQ("", ReadFileBytes(dir / "old.txt"));
}

TEST(WriteBuffer, LongerFileIsTruncatedToNewBytes) {
    TempDir dir;
    WriteFileBytes(dir / "f.txt", "0123456789");
    unsigned long size = 3;
    EXPECT_EQ(1, Write(dir / "f.txt", "abc", size));
    EXPECT_EQ("abc", ReadFileBytes(dir / "f.txt"));
}

TEST(WriteBuffer, MissingDirectoryFailsWithoutFile) {
    TempDir dir;
    std::string path = dir / "none\\f.txt";
    unsigned long size = 3;
    EXPECT_EQ(0, Write(path, "abc", size));
    EXPECT_EQ(0u, size);
    EXPECT_FALSE(FileExists(path));
}

TEST(WriteBuffer, DirectoryOfThatNameFails) {
    TempDir dir;
    std::string path = dir / "input.txt";
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    unsigned long size = 3;
    EXPECT_EQ(0, Write(path, "abc", size));
    EXPECT_EQ(0u, size);
}

TEST(WriteBuffer, FileHeldWithoutWriteSharingFails) {
    TempDir dir;
    std::string path = dir / "held.txt";
    WriteFileBytes(path, "old");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    unsigned long size = 3;
    EXPECT_EQ(0, Write(path, "new", size));
    EXPECT_EQ(0u, size);
    CloseHandle(held);
    EXPECT_EQ("old", ReadFileBytes(path));
}
