#include "win/NewFile.h"

#include "win/Handle.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

TEST(NewFile, MadeOnlyUnderAFreeNameAndHeldUntilDeleted) {
    TempDir dir;
    std::string path = dir / "output.hta";
    WriteFileBytes(path, "theirs");
    EXPECT_FALSE(NewFile().Create(path, "ours"));
    EXPECT_EQ("theirs", ReadFileBytes(path)) << "a taken name was written or deleted";
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    {
        NewFile file;
        ASSERT_TRUE(file.Create(path, "ours"));
        // A reader that shares reading only gets in, as the host must; a
        // writer doesn't.
        Handle reader(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
        EXPECT_TRUE(reader.Valid());
        Handle writer(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_FALSE(writer.Valid());
    }
    EXPECT_FALSE(FileExists(path));
}
