// The PCIUtil driver through its device, loaded by Wine's service manager
// from the image this executable carries.
#include "support/Program.h"
#include "support/Services.h"

#include "driver/PCIUtilIoctl.h"
#include "support/Security.h"
#include "support/TempDir.h"
#include "support/Wine.h"
#include "win/Handle.h"
#include "win/Paths.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <winternl.h>

#include <optional>
#include <string>

namespace {

const char blocker[] = "PCIBlock";
const char version[] = "PCIUtil created on " PCIUTIL_BUILD_STAMP;

struct Reply {
    BOOL ok;
    DWORD error;
    DWORD returned;
};

Reply Control(HANDLE device, DWORD code, void* in, DWORD inLength, void* out, DWORD outLength) {
    Reply r = {};
    SetLastError(0);
    r.ok = DeviceIoControl(device, code, in, inLength, out, outLength, &r.returned, nullptr);
    r.error = GetLastError();
    return r;
}

// The driver admits one open at a time; Windows fails the open itself. Where
// the open is answered before the driver sees it (Wine's server does that),
// the refusal shows at the first request through the handle instead.
void ExpectRefused(const Handle& device) {
    DWORD error = GetLastError();
    if (!device.Valid() || !RunningUnderWine()) {
        EXPECT_FALSE(device.Valid());
        EXPECT_EQ(DWORD(ERROR_BUSY), error);
        return;
    }
    char text[64];
    Reply r = Control(device.Get(), IOCTL_PCIUTIL_GET_VERSION, nullptr, 0, text, sizeof text);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(DWORD(ERROR_BUSY), r.error);
}

void ExpectServed(const Handle& device) {
    ASSERT_TRUE(device.Valid()) << GetLastError();
    char text[64];
    Reply r = Control(device.Get(), IOCTL_PCIUTIL_GET_VERSION, nullptr, 0, text, sizeof text);
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(43u, r.returned);
}

// Wine's own HAL knows no PCI bus. Under Wine the driver host takes the
// stand-in hal.dll built beside this test (HalStandIn.c) instead, reading the
// override when it starts: every driver start gets a host of its own. The
// file it replaces waits beside it, and one that an interrupted run left
// there is the original.
class StandInHal {
public:
    StandInHal() {
        MoveFileA(hal.c_str(), kept.c_str());
        CopyFileA(BesideThisTest("hal.dll").c_str(), hal.c_str(), FALSE);
        SetWineSetting(overrides, "hal", "native");
    }
    ~StandInHal() {
        ClearWineSetting(overrides, "hal");
        // The last driver's host may hold the file for a moment yet.
        for (int tries = 50; !MoveFileExA(kept.c_str(), hal.c_str(), MOVEFILE_REPLACE_EXISTING) &&
                             GetLastError() != ERROR_FILE_NOT_FOUND && --tries;)
            Sleep(100);
    }

private:
    const std::string hal = GetSystemDir() + "\\hal.dll", kept = hal + ".kept";
    const std::string overrides = "AppDefaults\\winedevice.exe\\DllOverrides";
};

extern "C" NTSTATUS NTAPI NtCreateSymbolicLinkObject(HANDLE* link, ACCESS_MASK access,
                                                     OBJECT_ATTRIBUTES* attributes,
                                                     UNICODE_STRING* target);

// Takes the driver's DOS name with a link of the test's own, which goes when
// its handle is closed. Windows keeps the system's DOS names in \GLOBAL??;
// NT 4.0 and Wine have only \??. (DefineDosDeviceA would make such a link,
// but Wine's overruns a buffer with any name longer than a drive's.)
HANDLE TakeDosName() {
    UNICODE_STRING name, target;
    OBJECT_ATTRIBUTES attributes;
    HANDLE link;
    RtlInitUnicodeString(&target, L"\\Device\\Null");
    for (std::wstring dir : {L"\\GLOBAL??", L"\\??"}) {
        dir += wcsrchr(PCIUTIL_LINK_NAME, L'\\');
        RtlInitUnicodeString(&name, dir.c_str());
        InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
        if (NT_SUCCESS(NtCreateSymbolicLinkObject(&link, GENERIC_READ, &attributes, &target)))
            return link;
    }
    return nullptr;
}

class Driver : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (RunningUnderWine())
            hal.emplace();
    }
    static void TearDownTestSuite() { hal.reset(); }

    void SetUp() override {
        RemoveService(PCIUTIL_SERVICE_NAME);
        RemoveService(blocker);
        image = dir / PCIUTIL_FILE_NAME;
        WriteFileBytes(image, DriverImage());
        ASSERT_TRUE(InstallService(PCIUTIL_SERVICE_NAME, image, true)) << GetLastError();
    }
    // Runs however the test ended, so that no service outlives it.
    void TearDown() override {
        RemoveService(PCIUTIL_SERVICE_NAME);
        RemoveService(blocker);
        EXPECT_EQ(0u, ServiceState(PCIUTIL_SERVICE_NAME));
    }

    TempDir dir;
    std::string image;
    static inline std::optional<StandInHal> hal;
};

} // namespace

TEST_F(Driver, AdmitsOneOpenAtATime) {
    Handle first(OpenPCIUtil());
    ExpectServed(first);
    {
        Handle second(OpenPCIUtil());
        ExpectRefused(second);
    }
    // Closing a refused open must not release the device.
    {
        Handle third(OpenPCIUtil());
        ExpectRefused(third);
    }
    ExpectServed(first);
}

TEST_F(Driver, VersionTextIsCutToTheOutputAndNeverTerminated) {
    Handle device(OpenPCIUtil());
    ASSERT_TRUE(device.Valid());
    struct {
        DWORD length;
        std::string text;
    } cases[] = {{100, version}, {10, "PCIUtil cr"}, {0, ""}};
    for (const auto& c : cases) {
        std::string out(100, 'x');
        Reply r = Control(device.Get(), IOCTL_PCIUTIL_GET_VERSION, nullptr, 0, &out[0], c.length);
        EXPECT_TRUE(r.ok) << c.length;
        ASSERT_EQ(c.text.size(), r.returned) << c.length;
        EXPECT_EQ(c.text, out.substr(0, r.returned));
        EXPECT_EQ(std::string(100 - r.returned, 'x'), out.substr(r.returned));
    }
}

TEST_F(Driver, UnknownCodeSucceedsWithNothing) {
    Handle device(OpenPCIUtil());
    ASSERT_TRUE(device.Valid());
    const DWORD codes[] = {CTL_CODE(FILE_DEVICE_UNKNOWN, 0x800, METHOD_BUFFERED, FILE_ANY_ACCESS),
                           CTL_CODE(FILE_DEVICE_UNKNOWN, 0xC9, METHOD_BUFFERED, FILE_ANY_ACCESS)};
    for (DWORD code : codes) {
        std::string buf(16, 'x');
        Reply r = Control(device.Get(), code, &buf[0], 16, &buf[0], 16);
        EXPECT_TRUE(r.ok) << std::hex << code;
        EXPECT_EQ(0u, r.returned);
        EXPECT_EQ(std::string(16, 'x'), buf);
    }
}

// The HAL gets the offset of the dword that holds the request's byte, and
// the device and function in their own bits; the address comes back as it
// was sent, whatever the request's Value held. Under Wine the stand-in HAL
// answers from the space it describes; on Windows the values are the
// machine's own, and only the address is checked.
TEST_F(Driver, ReadReturnsTheAddressUnchangedAndTheDwordHoldingTheOffset) {
    Handle device(OpenPCIUtil());
    ASSERT_TRUE(device.Valid());
    const struct {
        PCI_Request sent;
        unsigned int value;
    } cases[] = {{{0, 0, 0, 0x00, 0x5A5A5A5A}, 0x5B407A3E},
                 {{0, 0, 0, 0x02, 0}, 0x5B407A3E},
                 {{0, 0, 0, 0x08, 7}, 0x00000008},
                 {{0, 0, 0, 0x3D, 0}, 0x0000003C},
                 {{1, 32 + 2, 8 + 3, 0x41, 0}, 0x01020340},
                 {{255, 0, 0, 0x00, 0}, 0xFFFFFFFF}}; // no such bus
    for (const auto& c : cases) {
        PCI_Request req = c.sent;
        Reply r =
            Control(device.Get(), IOCTL_PCIUTIL_READ_CONFIG, &req, sizeof req, &req, sizeof req);
        EXPECT_TRUE(r.ok) << r.error;
        EXPECT_EQ(8u, r.returned);
        EXPECT_EQ(0, memcmp(&c.sent, &req, 4));
        if (RunningUnderWine()) {
            EXPECT_EQ(c.value, req.Value) << std::hex << int(c.sent.Offset);
        }
    }
    // Exactly the four address bytes in is enough.
    unsigned char buf[8] = {1, 2, 3, 4, 0, 0, 0, 0};
    Reply r = Control(device.Get(), IOCTL_PCIUTIL_READ_CONFIG, buf, 4, buf, 8);
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(8u, r.returned);
}

TEST_F(Driver, ShortReadBuffersAreRefusedUntouched) {
    Handle device(OpenPCIUtil());
    ASSERT_TRUE(device.Valid());
    struct {
        DWORD in, out;
    } cases[] = {{3, 8}, {0, 8}, {8, 7}, {8, 0}, {3, 7}};
    for (const auto& c : cases) {
        unsigned char in[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        unsigned char out[8];
        memset(out, 0xAA, sizeof out);
        Reply r = Control(device.Get(), IOCTL_PCIUTIL_READ_CONFIG, in, c.in, out, c.out);
        EXPECT_FALSE(r.ok) << c.in << "/" << c.out;
        EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), r.error);
        EXPECT_EQ(0u, r.returned);
        for (unsigned char b : out)
            EXPECT_EQ(0xAA, b);
    }
}

// Nothing lives below the device: such a name must not be served, nor take
// the one open the driver admits. Windows hands it to the driver with the
// file name "\x", which the driver refuses; Wine's own name lookup refuses
// it before the driver sees it, so there the driver's check can't be told
// from its absence.
TEST_F(Driver, OpenBelowTheDeviceNameIsRefused) {
    if (RunningUnderWine())
        GTEST_SKIP() << "Wine refuses the name before the driver sees it";
    Handle below(CreateFileA(PCIUTIL_DEVICE_PATH "\\x", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD error = GetLastError();
    EXPECT_FALSE(below.Valid());
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), error);
    Handle device(OpenPCIUtil());
    ExpectServed(device);
}

// Only SYSTEM and Administrators may open the device: its DACL allows the
// two of them and nobody else. Wine keeps the DACL but checks no open
// against it, and reports none: there a NULL DACL can't be told from it.
TEST_F(Driver, OnlySystemAndAdministratorsMayOpenTheDevice) {
    if (RunningUnderWine())
        GTEST_SKIP() << "Wine reports no DACL of a driver's device";
    EXPECT_EQ((std::set<std::string>{"S-1-5-18", "S-1-5-32-544"}),
              AllowedSids(PCIUTIL_DEVICE_PATH));
}

// A second driver whose device name is taken fails to start, and its
// failure takes nothing from the driver that owns the name.
TEST_F(Driver, TakenDeviceNameFailsTheStart) {
    std::string copy = dir / "PCIBlock.sys";
    WriteFileBytes(copy, DriverImage());
    EXPECT_FALSE(InstallService(blocker, copy, true));
    EXPECT_NE(DWORD(SERVICE_RUNNING), ServiceState(blocker));
    Handle device(OpenPCIUtil());
    ExpectServed(device);
}

// Another's link under the driver's DOS name fails the start: a program
// would reach the other's device through it. The failed start leaves
// nothing of its own: once the name is free the driver starts.
TEST_F(Driver, TakenDosNameFailsTheStart) {
    ASSERT_TRUE(StopNamedService(PCIUTIL_SERVICE_NAME));
    {
        Handle other(TakeDosName());
        ASSERT_TRUE(other.Valid());
        EXPECT_FALSE(StartNamedService(PCIUTIL_SERVICE_NAME));
        EXPECT_EQ(DWORD(SERVICE_STOPPED), ServiceState(PCIUTIL_SERVICE_NAME));
    }
    ASSERT_TRUE(StartNamedService(PCIUTIL_SERVICE_NAME)) << GetLastError();
    Handle device(OpenPCIUtil());
    ExpectServed(device);
}

TEST(DriverImage, IsEmbeddedInUSEnglishAndCarriesItsVersionResource) {
    EXPECT_NE(nullptr, FindResourceExA(nullptr, PCIUTIL_RESOURCE_TYPE_TEXT,
                                       MAKEINTRESOURCEA(PCIUTIL_RESOURCE_ID),
                                       MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)));
    TempDir dir;
    std::string path = dir / "pciutil.sys";
    WriteFileBytes(path, DriverImage());
    DWORD ignored;
    std::string info(GetFileVersionInfoSizeA(path.c_str(), &ignored), '\0');
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, info.size(), &info[0]));

    VS_FIXEDFILEINFO* fixed;
    UINT length;
    ASSERT_TRUE(VerQueryValueA(&info[0], "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(DWORD(VFT_DRV), fixed->dwFileType);
    EXPECT_EQ(DWORD(VFT2_DRV_SYSTEM), fixed->dwFileSubtype);
    EXPECT_EQ(DWORD(VOS_NT_WINDOWS32), fixed->dwFileOS);
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS); // 1.0.0.0
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
}
