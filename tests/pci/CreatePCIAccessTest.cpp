#include "pci/CreatePCIAccess.h"

#include "DriverDirs.h"
#include "driver/PCIUtilIoctl.h"
#include "pci/PCI_PnP.h"
#include "rc/RcLdr.h"
#include "support/Program.h"
#include "support/Services.h"
#include "support/Wine.h"
#include "win/Handle.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The probe's exit code, run with the Windows version that Wine's
// configuration gives it; all ones when it can't be started.
DWORD ProbeAs(const char* version) {
    const std::string probe = "pci_platform_probe.exe", key = "AppDefaults\\" + probe;
    std::string path = BesideThisTest(probe);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    DWORD code = 0xFFFFFFFF;
    if (SetWineSetting(key, "Version", version) &&
        CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &pi)) {
        Handle process(pi.hProcess), thread(pi.hThread);
        WaitForSingleObject(process.Get(), INFINITE);
        GetExitCodeProcess(process.Get(), &code);
    }
    ClearWineSetting(key, "Version");
    return code;
}

} // namespace

// This executable carries no driver: nothing is installed, files that are
// not ours stay as they are, and the device tree serves instead.
TEST(CreatePCIAccess, WithoutDriverResourceTheDeviceTreeServes) {
    RemoveService(PCIUTIL_SERVICE_NAME);
    DriverDirs dirs;
    for (const std::string& path : {dirs.InTemp(), dirs.InSystem(), dirs.InCurrent()})
        WriteFileBytes(path, "stale");
    RcLdr loader(GetModuleHandleA(nullptr));
    EXPECT_NE(nullptr, dynamic_cast<PCI_PnP*>(CreatePCIAccess(&loader).get()));
    for (const std::string& path : {dirs.InTemp(), dirs.InSystem(), dirs.InCurrent()})
        EXPECT_EQ("stale", ReadFileBytes(path)) << path;
    EXPECT_EQ(0u, ServiceState(PCIUTIL_SERVICE_NAME));
}

// Wine tells one executable it runs on another platform when its
// configuration says so; the probe reports what the factory made of it.
TEST(CreatePCIAccess, NonNTPlatformsGetPortAccess) {
    if (!RunningUnderWine())
        GTEST_SKIP() << "only Wine tells a program another platform";
    EXPECT_EQ(11u, ProbeAs("win98"));
    EXPECT_EQ(1u, ProbeAs("win31"));
    EXPECT_EQ(20u, ProbeAs("nt40")); // the setting is what changes the answer
}
