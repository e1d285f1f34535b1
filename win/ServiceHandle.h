// Owns a service or service-database handle and closes it on destruction.
#pragma once

#include "win/Handle.h"

using ServiceHandle = Owned<SC_HANDLE, CloseServiceHandle, 0>;
