// Chooses and prepares the PCI access that suits the platform.
#pragma once

#include "pci/PCI_Base.h"

#include <windows.h>

#include <memory>

class RcLdr;

// What the choice rests on.
struct PlatformFacts {
    bool nt;
    bool wow64;    // 32-bit process on 64-bit Windows: no 32-bit driver loads
    bool noDriver; // asked for by the user
};

// Already initialised:
// - a PCI_Direct on Windows 9x (neither NT nor WOW64);
// - a PCI_NT bound to loader on other NT platforms, unless asked to go
//   without the driver;
// - a PCI_PnP under WOW64, when asked, and where the driver can't be had
//   (its Init threw one of the program's own exceptions).
// Throws what the device tree's Init throws: then nothing can read PCI;
// and whatever else the driver's Init throws.
std::unique_ptr<PCI_Base> CreatePCIAccess(RcLdr* loader, const PlatformFacts& facts);
// The same for the platform this runs on.
std::unique_ptr<PCI_Base> CreatePCIAccess(RcLdr* loader, bool noDriver = false);

using Wow64Query = BOOL(WINAPI*)(HANDLE, PBOOL);
// Whether this process runs under WOW64. A missing query (older KERNEL32s
// lack it) or a failed one means it doesn't.
bool IsWow64(Wow64Query query);
// By KERNEL32's IsWow64Process, looked up at run time.
bool IsWow64();
