// Chooses and prepares the PCI access that suits the platform.
#pragma once

#include "pci/PCI_Base.h"

#include <windows.h>

class RcLdr;

// A PCI_NT bound to loader on NT platforms, a PCI_Direct elsewhere, already
// initialised; the caller owns it. Whatever Init throws reaches the caller
// after the object is destroyed.
PCI_Base* CreatePCIAccess(RcLdr* loader);

using VersionQuery = BOOL(WINAPI*)(LPOSVERSIONINFOA);
// Whether the platform is of the NT family; a failed query counts as NT.
bool IsNTPlatform(VersionQuery query = GetVersionExA);

// Calls Init on a new object and hands it out; if Init throws, destroys the
// object and lets the exception go on unchanged.
PCI_Base* InitPCIAccess(PCI_Base* access);
