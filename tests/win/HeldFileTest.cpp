#include "win/HeldFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string image = "MZ driver image bytes";
const auto* const bytes = reinterpret_cast<const unsigned char*>(image.data());

} // namespace

TEST(HeldFile, SameBytesAreHeldAgainstWritingAndDeleting) {
    TempDir dir;
    std::string path = dir / "image.sys";
    WriteFileBytes(path, image);
    {
        HeldFile held(path.c_str(), bytes, image.size());
        ASSERT_TRUE(held.Held());
        HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(INVALID_HANDLE_VALUE, writer);
        EXPECT_EQ(DWORD(ERROR_SHARING_VIOLATION), GetLastError());
        EXPECT_FALSE(DeleteFileA(path.c_str()));
        EXPECT_EQ(DWORD(ERROR_SHARING_VIOLATION), GetLastError());
        // The loader still reads it.
        EXPECT_EQ(image, ReadFileBytes(path));
    }
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

// Other bytes, or no file at all.
TEST(HeldFile, OtherBytesAreRefused) {
    TempDir dir;
    std::string path = dir / "image.sys";
    std::string changed = image;
    changed.back() ^= 1;
    const std::string others[] = {changed, image.substr(0, image.size() - 1), image + '\0', ""};
    for (const std::string& content : others) {
        WriteFileBytes(path, content);
        EXPECT_FALSE(HeldFile(path.c_str(), bytes, image.size()).Held()) << content;
        // Nothing stays open after a refusal.
        EXPECT_TRUE(DeleteFileA(path.c_str()));
    }
    EXPECT_FALSE(HeldFile(path.c_str(), bytes, image.size()).Held());
}
