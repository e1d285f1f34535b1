// Chooses and prepares the PCI access that suits the platform.
#pragma once

#include "pci/PCI_Base.h"

#include <windows.h>

class RcLdr;

// What the choice rests on.
struct PlatformFacts {
    bool nt;
    bool wow64;    // 32-bit process on 64-bit Windows: no 32-bit driver loads
    bool noDriver; // asked for by the user
};

// A PCI_PnP under WOW64, and on NT when asked to go without the driver; a
// PCI_NT bound to loader on other NT platforms; a PCI_Direct elsewhere.
// Already initialised; the caller owns it. Whatever Init throws reaches the
// caller after the object is destroyed.
PCI_Base* CreatePCIAccess(RcLdr* loader, const PlatformFacts& facts);
// The same for the platform this runs on.
PCI_Base* CreatePCIAccess(RcLdr* loader, bool noDriver = false);

using VersionQuery = BOOL(WINAPI*)(LPOSVERSIONINFOA);
// Whether the platform is of the NT family; a failed query counts as NT.
bool IsNTPlatform(VersionQuery query = GetVersionExA);

using Wow64Query = BOOL(WINAPI*)(HANDLE, PBOOL);
// Whether this process runs under WOW64. A missing query (older KERNEL32s
// lack it) or a failed one means it doesn't.
bool IsWow64(Wow64Query query);
// By KERNEL32's IsWow64Process, looked up at run time.
bool IsWow64();

// Calls Init on a new object and hands it out; if Init throws, destroys the
// object and lets the exception go on unchanged.
PCI_Base* InitPCIAccess(PCI_Base* access);
