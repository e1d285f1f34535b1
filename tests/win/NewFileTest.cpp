#include "win/NewFile.h"

#include "win/Handle.h"

#include "support/Security.h"
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
        // Its own entries, none inherited from the folder: the account,
        // SYSTEM, Administrators (Wine keeps those its file modes can show).
        const std::set<std::string> sids = AllowedSids(path),
                                    allowed = {"S-1-5-18", "S-1-5-32-544", OwnSid()};
        EXPECT_EQ(1u, sids.count(OwnSid()));
        for (const std::string& sid : sids)
            EXPECT_EQ(1u, allowed.count(sid)) << sid;
    }
    EXPECT_FALSE(FileExists(path));
}

// Found by name again at its end, so it must prove to be the file made: a
// relative name may lead elsewhere by then.
TEST(NewFile, DeletesNoOtherFileThatItsNameLeadsTo) {
    TempDir made, other;
    WriteFileBytes(other / "output.hta", "theirs");
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    {
        NewFile file;
        EXPECT_TRUE(SetCurrentDirectoryA(made.Path().c_str()) && file.Create("output.hta", "ours"));
        SetCurrentDirectoryA(other.Path().c_str());
    }
    SetCurrentDirectoryA(saved);
    EXPECT_EQ("theirs", ReadFileBytes(other / "output.hta"));
}
