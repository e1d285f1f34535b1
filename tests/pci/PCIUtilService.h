// What the tests that install the PCIUtil driver share: its service name and
// the driver image this executable carries.
#pragma once

#include <windows.h>

#include "support/Services.h"

#include <string>

extern const char pciutilService[]; // "PCIUtil"

// The bytes of this executable's "DRV" 113 resource.
std::string DriverImage();
