// Stopping a service and waiting until it has: a running driver's image
// stays locked, and its service can't be told apart from one that is still
// about to go.
#pragma once

#include <windows.h>

// Asks the service to stop, unless it is stopped or stopping already, and
// waits until it says it has, five seconds at most. True once it has.
bool StopAndWait(SC_HANDLE service);
