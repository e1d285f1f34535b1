#include "support/Services.h"
#include "driver/PCIUtilIoctl.h"

#include "win/ServiceHandle.h"
#include "win/ServiceStop.h"

#include <vector>

namespace {

ServiceHandle OpenManager() {
    return ServiceHandle(OpenSCManagerA(nullptr, SERVICES_ACTIVE_DATABASEA, SC_MANAGER_ALL_ACCESS));
}

} // namespace

bool InstallService(const char* name, const std::string& imagePath, bool start) {
    ServiceHandle manager = OpenManager();
    ServiceHandle service(CreateServiceA(
        manager.Get(), name, name, SERVICE_ALL_ACCESS, SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START,
        SERVICE_ERROR_NORMAL, imagePath.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
    return service.Valid() && (!start || StartServiceA(service.Get(), 0, nullptr));
}

bool StartNamedService(const char* name) {
    ServiceHandle manager = OpenManager();
    ServiceHandle service(OpenServiceA(manager.Get(), name, SERVICE_ALL_ACCESS));
    return service.Valid() && StartServiceA(service.Get(), 0, nullptr);
}

bool StopNamedService(const char* name) {
    ServiceHandle manager = OpenManager();
    ServiceHandle service(OpenServiceA(manager.Get(), name, SERVICE_ALL_ACCESS));
    return service.Valid() && StopAndWait(service.Get());
}

void RemoveService(const char* name) {
    ServiceHandle manager = OpenManager();
    ServiceHandle service(OpenServiceA(manager.Get(), name, SERVICE_ALL_ACCESS));
    if (!service.Valid())
        return;
    StopAndWait(service.Get());
    DeleteService(service.Get());
}

DWORD ServiceState(const char* name) {
    ServiceHandle manager = OpenManager();
    ServiceHandle service(OpenServiceA(manager.Get(), name, SERVICE_QUERY_STATUS));
    SERVICE_STATUS status;
    if (!service.Valid() || !QueryServiceStatus(service.Get(), &status))
        return 0;
    return status.dwCurrentState;
}

std::string ServiceImagePath(const char* name) {
    ServiceHandle manager = OpenManager();
    ServiceHandle service(OpenServiceA(manager.Get(), name, SERVICE_QUERY_CONFIG));
    DWORD needed = 0;
    QueryServiceConfigA(service.Get(), nullptr, 0, &needed);
    if (!service.Valid() || needed == 0)
        return "";
    std::vector<char> buf(needed);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buf.data());
    if (!QueryServiceConfigA(service.Get(), config, needed, &needed))
        return "";
    return config->lpBinaryPathName;
}

HANDLE OpenPCIUtil() {
    return CreateFileA(PCIUTIL_DEVICE_PATH, 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}
