// PCI_NT with Wine's real service manager loading the driver this
// executable carries.
#include "pci/PCI_NT.h"

#include "DriverDirs.h"
#include "driver/PCIUtilIoctl.h"
#include "errors/Except.h"
#include "pci/CreatePCIAccess.h"
#include "pci/PCI_Direct.h"
#include "pci/PCI_PnP.h"
#include "rc/RcLdr.h"
#include "support/Program.h"
#include "support/Services.h"
#include "support/Wine.h"
#include "win/Handle.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const char blocker[] = "PCIBlock";

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// The bytes the device call below reports, or a failure (with a count that
// means nothing) when negative.
int answered = 0;

BOOL WINAPI Answer(HANDLE, DWORD, LPVOID, DWORD, LPVOID out, DWORD, LPDWORD returned,
                   LPOVERLAPPED) {
    static_cast<PCI_Request*>(out)->Value = 0x5B407A3E;
    *returned = answered < 0 ? sizeof(PCI_Request) : answered;
    SetLastError(ERROR_GEN_FAILURE); // what a failure reports; success leaves it too
    return answered >= 0;
}

class PCINT : public testing::Test {
protected:
    void SetUp() override {
        RemoveService(PCIUTIL_SERVICE_NAME);
        RemoveService(blocker);
    }
    // Runs however the test ended, so that no service outlives it.
    void TearDown() override {
        RemoveService(PCIUTIL_SERVICE_NAME);
        RemoveService(blocker);
    }

    bool NoDriverFileAnywhere() const {
        return !FileExists(dirs.InTemp()) && !FileExists(dirs.InSystem()) &&
               !FileExists(dirs.InCurrent());
    }

    DriverDirs dirs;
    TempDir other;
    RcLdr loader{GetModuleHandleA(nullptr)};
};

} // namespace

// Never from the temporary or the current directory, which the user may
// point anywhere.
TEST_F(PCINT, InstallsFromTheSystemDirectoryAndLeavesNothing) {
    {
        std::unique_ptr<PCI_Base> pci(CreatePCIAccess(&loader));
        ASSERT_NE(nullptr, dynamic_cast<PCI_NT*>(pci.get()));
        EXPECT_EQ(DWORD(SERVICE_RUNNING), ServiceState(PCIUTIL_SERVICE_NAME));
        if (RunningUnderWine()) { // Windows answers in a spelling of its own
            EXPECT_EQ(dirs.InSystem(), ServiceImagePath(PCIUTIL_SERVICE_NAME));
        }
        EXPECT_EQ(DriverImage(), ReadFileBytes(dirs.InSystem()));
        EXPECT_FALSE(FileExists(dirs.InTemp()));
        EXPECT_FALSE(FileExists(dirs.InCurrent()));
        // Every read opens and closes the device; the driver admits one open.
        for (int i = 0; i < 3; ++i)
            EXPECT_NO_THROW(pci->Read(0, 0, 0, 0));
    }
    EXPECT_EQ(0u, ServiceState(PCIUTIL_SERVICE_NAME));
    EXPECT_TRUE(NoDriverFileAnywhere());
}

TEST_F(PCINT, FailedReadLeavesTheObjectReady) {
    PCI_NT pci(&loader);
    pci.Init();
    {
        Handle held(OpenPCIUtil());
        ASSERT_TRUE(held.Valid());
        try {
            pci.Read(0, 0, 0, 0);
            ADD_FAILURE() << "read through a busy device";
        } catch (const Except_Driver& e) {
            EXPECT_STREQ("PCI_NT::Read", e.GetSource());
            // Refused at the open, or (Wine) at the request through it.
            std::string desc = e.GetDesc();
            EXPECT_TRUE(StartsWith(desc, "Unable to open driver (") ||
                        StartsWith(desc, "Unable to complete IOCTL request ("))
                << desc;
        }
    }
    EXPECT_NO_THROW(pci.Read(0, 0, 0, 0));
}

// Only the whole record counts: less is some other device answering.
TEST_F(PCINT, ReadTakesOnlyAWholeAnswer) {
    PCI_NT pci(&loader, Answer);
    pci.Init();
    for (int bytes : {4, -1}) {
        answered = bytes;
        DWORD code = bytes < 0 ? ERROR_GEN_FAILURE : ERROR_INVALID_DATA;
        try {
            pci.Read(0, 0, 0, 0);
            ADD_FAILURE() << bytes << " bytes taken";
        } catch (const Except_Driver& e) {
            EXPECT_STREQ(Except_Driver("", "Unable to complete IOCTL request", code).GetDesc(),
                         e.GetDesc());
        }
    }
    answered = 8;
    EXPECT_EQ(0x5B407A3Eu, pci.Read(0, 0, 0, 0));
}

// Another product's service (for a file elsewhere, stopped or running, or
// for our file while there is none), or its file in our place with or
// without a service, even one put there while our driver ran: nothing of it
// is touched, and the factory reads the device tree instead.
TEST_F(PCINT, ForeignFileOrServiceIsLeftAndTheTreeServes) {
    const std::string elsewhere = other / PCIUTIL_FILE_NAME, inSystem = dirs.InSystem();
    WriteFileBytes(elsewhere, DriverImage());
    const struct {
        bool foreignFile;
        std::string image; // the service's, if any
        bool running;
    } cases[] = {{false, elsewhere, false},
                 {false, elsewhere, true},
                 {false, inSystem, false},
                 {true, "", false},
                 {true, inSystem, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.image + (c.foreignFile ? " foreign file" : "") +
                     (c.running ? " running" : ""));
        if (c.foreignFile)
            WriteFileBytes(inSystem, "someone else's");
        if (!c.image.empty()) {
            ASSERT_TRUE(InstallService(PCIUTIL_SERVICE_NAME, c.image, c.running));
        }
        EXPECT_THROW(PCI_NT(&loader).Init(), Except_NoAccess);
        std::unique_ptr<PCI_Base> pci(CreatePCIAccess(&loader, {true, false, false}));
        EXPECT_NE(nullptr, dynamic_cast<PCI_PnP*>(pci.get()));
        EXPECT_EQ(c.foreignFile ? "someone else's" : "",
                  FileExists(inSystem) ? ReadFileBytes(inSystem) : "");
        EXPECT_EQ(c.image.empty() ? 0 : DWORD(c.running ? SERVICE_RUNNING : SERVICE_STOPPED),
                  ServiceState(PCIUTIL_SERVICE_NAME));
        EXPECT_EQ(c.image.empty(), ServiceImagePath(PCIUTIL_SERVICE_NAME).empty());
        if (RunningUnderWine()) { // Windows answers in a spelling of its own
            EXPECT_EQ(c.image, ServiceImagePath(PCIUTIL_SERVICE_NAME));
        }
        EXPECT_FALSE(FileExists(dirs.InTemp()) || FileExists(dirs.InCurrent()));
        RemoveService(PCIUTIL_SERVICE_NAME);
        DeleteFileA(inSystem.c_str());
    }
    {
        PCI_NT pci(&loader);
        pci.Init();
        ASSERT_TRUE(MoveFileA(inSystem.c_str(), (other / "moved.sys").c_str()));
        WriteFileBytes(inSystem, "someone else's");
    }
    EXPECT_EQ("someone else's", ReadFileBytes(inSystem));
    DeleteFileA(inSystem.c_str());
}

// With the device name taken by another driver, the service fails to start;
// it and the file are deleted again.
TEST_F(PCINT, StartFailureRemovesTheServiceAndTheFile) {
    WriteFileBytes(other / "PCIBlock.sys", DriverImage());
    ASSERT_TRUE(InstallService(blocker, other / "PCIBlock.sys", true));
    PCI_NT pci(&loader);
    try {
        pci.Init();
        ADD_FAILURE() << "no exception";
    } catch (const Except_NoAccess& e) {
        EXPECT_STREQ("PCI_NT::Init", e.GetSource());
        EXPECT_STREQ("Unable to install driver", e.GetDesc());
    }
    EXPECT_EQ(0u, ServiceState(PCIUTIL_SERVICE_NAME));
    EXPECT_TRUE(NoDriverFileAnywhere());
}

// Only the driver path may install anything, even where it could.
TEST_F(PCINT, FactoryTakesTheDeviceTreeUnderWow64OrWhenAsked) {
    const struct {
        PlatformFacts facts;
        char access; // Tree, Driver, Ports
    } cases[] = {{{true, true, false}, 'T'},
                 {{true, false, true}, 'T'},
                 {{false, false, true}, 'P'},
                 {{true, false, false}, 'D'}};
    for (const auto& c : cases) {
        std::unique_ptr<PCI_Base> pci(CreatePCIAccess(&loader, c.facts));
        char access = dynamic_cast<PCI_PnP*>(pci.get())      ? 'T'
                      : dynamic_cast<PCI_NT*>(pci.get())     ? 'D'
                      : dynamic_cast<PCI_Direct*>(pci.get()) ? 'P'
                                                             : '?';
        EXPECT_EQ(c.access, access);
        EXPECT_EQ(c.access == 'D' ? DWORD(SERVICE_RUNNING) : 0u,
                  ServiceState(PCIUTIL_SERVICE_NAME));
        EXPECT_EQ(c.access == 'D', FileExists(dirs.InSystem())) << c.access;
    }
}
