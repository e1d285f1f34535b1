#include "win/ReportFolder.h"

#include "support/Security.h"
#include "support/Wine.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

// An elevated run's folder (every run's under Wine) is the Administrators'
// alone, and theirs even where the token would make the user or a group of
// theirs the owner. No run's inherits anything. It is checked as built, and
// where the system shows it, as the folder keeps it. (That the report host
// can start in it, and that it goes, the end-to-end tests show.)
TEST(ReportFolder, OnlyTheExpectedAccountsMayOpenIt) {
    ReportFolder folder;
    ASSERT_TRUE(folder.Make());
    auto expectPrivate = [](PSECURITY_DESCRIPTOR sd) {
        SECURITY_DESCRIPTOR_CONTROL control = 0;
        DWORD revision = 0;
        EXPECT_TRUE(GetSecurityDescriptorControl(sd, &control, &revision) &&
                    control & SE_DACL_PROTECTED);
        PSID owner = nullptr;
        BOOL defaulted = FALSE;
        if (RunsElevated()) {
            EXPECT_TRUE(GetSecurityDescriptorOwner(sd, &owner, &defaulted) && owner &&
                        SidText(owner) == "S-1-5-32-544");
            EXPECT_EQ((std::set<std::string>{"S-1-5-18", "S-1-5-32-544"}), AllowedSids(sd));
        }
    };
    expectPrivate(folder.Security().Attributes()->lpSecurityDescriptor);
    // A run that isn't elevated lets its own account in as well.
    PrivateSecurity account(PrivateSecurity::Account);
    EXPECT_EQ((std::set<std::string>{"S-1-5-18", "S-1-5-32-544", OwnSid()}),
              AllowedSids(account.Attributes()->lpSecurityDescriptor));
    if (!RunningUnderWine()) {
        char kept[4096];
        DWORD size = 0;
        ASSERT_TRUE(GetFileSecurityA(folder.Path().c_str(),
                                     OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, kept,
                                     sizeof kept, &size));
        expectPrivate(kept);
        // Held, it can't be renamed.
        EXPECT_FALSE(MoveFileA(folder.Path().c_str(), (folder.Path() + ".moved").c_str()));
    }
}
