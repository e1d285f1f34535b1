// Reports through its exit code what the factory makes of the platform this
// process is told it runs on: 10 × the platform identifier, plus 1 for a
// PCI_Direct, 2 for anything else, 3 for an exception. On an NT platform it
// creates nothing (that would install the driver) and adds 0.
#include "pci/CreatePCIAccess.h"
#include "pci/PCI_Direct.h"
#include "rc/RcLdr.h"

#include <memory>

int main() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    int code = 10 * static_cast<int>(info.dwPlatformId);
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT)
        return code;
    try {
        RcLdr loader(GetModuleHandleA(nullptr));
        std::unique_ptr<PCI_Base> access(CreatePCIAccess(&loader));
        return code + (dynamic_cast<PCI_Direct*>(access.get()) ? 1 : 2);
    } catch (...) {
        return code + 3;
    }
}
