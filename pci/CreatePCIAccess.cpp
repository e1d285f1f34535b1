#include "pci/CreatePCIAccess.h"

#include "errors/Except.h"
#include "pci/PCI_Direct.h"
#include "pci/PCI_NT.h"
#include "pci/PCI_PnP.h"
#include "win/Platform.h"
#include "win/SystemLibrary.h"

namespace {

std::unique_ptr<PCI_Base> Initialised(std::unique_ptr<PCI_Base> access) {
    access->Init();
    return access;
}

} // namespace

std::unique_ptr<PCI_Base> CreatePCIAccess(RcLdr* loader, const PlatformFacts& facts) {
    if (!facts.nt && !facts.wow64)
        return Initialised(std::make_unique<PCI_Direct>());
    if (!facts.wow64 && !facts.noDriver) {
        // Whatever keeps the driver from us (no rights, a policy, another
        // product or run holding the name), the device tree still answers.
        // The failed attempt has removed all it made before the tree is read.
        // Only our own failures count: anything else is no reason to go on.
        try {
            return Initialised(std::make_unique<PCI_NT>(loader));
        } catch (const Except_Base&) {
        }
    }
    return Initialised(std::make_unique<PCI_PnP>());
}

std::unique_ptr<PCI_Base> CreatePCIAccess(RcLdr* loader, bool noDriver) {
    return CreatePCIAccess(loader, PlatformFacts{IsNT(), IsWow64(), noDriver});
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
