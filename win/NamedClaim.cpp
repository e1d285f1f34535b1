#include "win/NamedClaim.h"

#include <string>

namespace {

// One name for every session; systems without session spaces refuse the
// prefix and have a single space anyway.
HANDLE OpenClaim(const char* name) {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, ("Global\\" + std::string(name)).c_str());
    if (!mutex && GetLastError() == ERROR_PATH_NOT_FOUND)
        mutex = CreateMutexA(nullptr, FALSE, name);
    return mutex;
}

} // namespace

NamedClaim::NamedClaim(const char* name) : mutex(OpenClaim(name)) {
    if (!mutex.Valid())
        return;
    DWORD result = WaitForSingleObject(mutex.Get(), 0);
    held = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

NamedClaim::~NamedClaim() {
    if (held)
        ReleaseMutex(mutex.Get());
}
