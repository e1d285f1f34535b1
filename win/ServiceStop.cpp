#include "win/ServiceStop.h"

bool StopAndWait(SC_HANDLE service) {
    SERVICE_STATUS status;
    for (int tries = 0; tries < 500; ++tries) {
        if (!QueryServiceStatus(service, &status))
            return false;
        if (status.dwCurrentState == SERVICE_STOPPED)
            return true;
        if (status.dwCurrentState != SERVICE_STOP_PENDING &&
            !ControlService(service, SERVICE_CONTROL_STOP, &status)) {
            DWORD error = GetLastError();
            if (error != ERROR_SERVICE_NOT_ACTIVE && error != ERROR_SERVICE_CANNOT_ACCEPT_CTRL)
                return false;
        }
        Sleep(10);
    }
    return false;
}
