// What the tests that install the PCIUtil driver share: its service name,
// the service manager, and the driver image this executable carries.
#pragma once

#include "driver/PCIUtilIoctl.h"
#include "support/Program.h"
#include "support/Services.h"

inline constexpr char pciutilService[] = PCIUTIL_SERVICE_NAME;
