#include "pci/CreatePCIAccess.h"

#include "pci/PCI_Direct.h"
#include "pci/PCI_NT.h"
#include "pci/PCI_PnP.h"
#include "win/SystemLibrary.h"

#include <memory>

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record the platform expects");

PCI_Base* CreatePCIAccess(RcLdr* loader, const PlatformFacts& facts) {
    if (facts.wow64 || (facts.nt && facts.noDriver))
        return InitPCIAccess(new PCI_PnP);
    if (facts.nt)
        return InitPCIAccess(new PCI_NT(loader));
    return InitPCIAccess(new PCI_Direct);
}

PCI_Base* CreatePCIAccess(RcLdr* loader, bool noDriver) {
    return CreatePCIAccess(loader, PlatformFacts{IsNTPlatform(), IsWow64(), noDriver});
}

bool IsNTPlatform(VersionQuery query) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    // Without an answer, the ports may be out of reach: take the driver.
    return !query(&info) || info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool IsWow64(Wow64Query query) {
    BOOL wow64 = FALSE;
    return query && query(GetCurrentProcess(), &wow64) && wow64;
}

bool IsWow64() {
    SystemLibrary kernel("kernel32.dll");
    Wow64Query query;
    kernel.Resolve("IsWow64Process", query);
    return IsWow64(query);
}

PCI_Base* InitPCIAccess(PCI_Base* access) {
    std::unique_ptr<PCI_Base> owned(access);
    owned->Init();
    return owned.release();
}
