// What the tests that install the PCIUtil driver share: its service name,
// the service manager, and the driver image this executable carries.
#pragma once

#include "support/Program.h"
#include "support/Services.h"

inline constexpr char pciutilService[] = "PCIUtil";
