#include "support/Services.h"
#include "driver/PCIUtilIoctl.h"

#include "win/ServiceHandle.h"
#include "win/ServiceStop.h"

#include <vector>

namespace {

ServiceHandle OpenManager() {
    return ServiceHandle(OpenSCManagerA(nullptr, SERVICES_ACTIVE_DATABASEA, SC_MANAGER_ALL_ACCESS));
}

// The service outlives the manager's handle it was opened through.
ServiceHandle OpenNamed(const char* name, DWORD access = SERVICE_ALL_ACCESS) {
    return ServiceHandle(OpenServiceA(OpenManager().Get(), name, access));
}

} // namespace

bool InstallService(const char* name, const std::string& imagePath, bool start) {
    ServiceHandle service(CreateServiceA(OpenManager().Get(), name, name, SERVICE_ALL_ACCESS,
                                         SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START,
                                         SERVICE_ERROR_NORMAL, imagePath.c_str(), nullptr, nullptr,
                                         nullptr, nullptr, nullptr));
    return service.Valid() && (!start || StartServiceA(service.Get(), 0, nullptr));
}

bool StartNamedService(const char* name) {
    ServiceHandle service = OpenNamed(name);
    return service.Valid() && StartServiceA(service.Get(), 0, nullptr);
}

bool StopNamedService(const char* name) {
    ServiceHandle service = OpenNamed(name);
    return service.Valid() && StopAndWait(service.Get());
}

void RemoveService(const char* name) {
    ServiceHandle service = OpenNamed(name);
    if (!service.Valid())
        return;
    StopAndWait(service.Get());
    DeleteService(service.Get());
}

DWORD ServiceState(const char* name) {
    ServiceHandle service = OpenNamed(name, SERVICE_QUERY_STATUS);
    SERVICE_STATUS status;
    return service.Valid() && QueryServiceStatus(service.Get(), &status) ? status.dwCurrentState
                                                                         : 0;
}

std::string ServiceImagePath(const char* name) {
    ServiceHandle service = OpenNamed(name, SERVICE_QUERY_CONFIG);
    DWORD needed = 0;
    QueryServiceConfigA(service.Get(), nullptr, 0, &needed);
    std::vector<char> buf(needed);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buf.data());
    return service.Valid() && needed && QueryServiceConfigA(service.Get(), config, needed, &needed)
               ? config->lpBinaryPathName
               : "";
}

HANDLE OpenPCIUtil() {
    return CreateFileA(PCIUTIL_DEVICE_PATH, 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}
