#include "pci/CreatePCIAccess.h"

#include "pci/PCI_Direct.h"
#include "pci/PCI_NT.h"

#include <memory>

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record the platform expects");

PCI_Base* CreatePCIAccess(RcLdr* loader) {
    if (IsNTPlatform())
        return InitPCIAccess(new PCI_NT(loader));
    return InitPCIAccess(new PCI_Direct);
}

bool IsNTPlatform(VersionQuery query) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    // Without an answer, the ports may be out of reach: take the driver.
    return !query(&info) || info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

PCI_Base* InitPCIAccess(PCI_Base* access) {
    std::unique_ptr<PCI_Base> owned(access);
    owned->Init();
    return owned.release();
}
