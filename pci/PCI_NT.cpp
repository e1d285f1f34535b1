#include "pci/PCI_NT.h"

#include "errors/Except.h"
#include "pci/PCIUtilIoctl.h"
#include "rc/RcLdr.h"
#include "win/Handle.h"
#include "win/HeldFile.h"
#include "win/Paths.h"

#include <vector>

namespace {

const char driverFile[] = "PCIUtil.sys";
const char serviceName[] = "PCIUtil";
const char displayName[] = "PCI Utility";
const char devicePath[] = "\\\\.\\PCIUtil";
const LPCSTR driverType = "DRV";
const LPCSTR driverId = MAKEINTRESOURCEA(113);

// Temporary, system and current directory, in that order. A query that fails
// or doesn't fit a MAX_PATH buffer gives no candidate.
std::vector<std::string> CandidateDirs() {
    std::vector<std::string> dirs;
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, temp);
    if (length > 0 && length < MAX_PATH)
        dirs.emplace_back(temp, length);
    for (const std::string& dir : {GetSystemDir(), GetCurrentDir()})
        if (!dir.empty() && dir.size() < MAX_PATH)
            dirs.push_back(dir);
    return dirs;
}

// The driver's host can hold the image for a moment after the driver stopped
// or failed to start (Wine's does); give it that moment before giving up.
void DeleteDriverFile(const std::string& path) {
    for (int tries = 0; tries < 40 && !DeleteFileA(path.c_str()); ++tries) {
        DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)
            return;
        Sleep(50);
    }
}

} // namespace

void PCI_NT::Init() {
    for (const std::string& dir : CandidateDirs()) {
        driverPath = JoinPath(dir, driverFile);
        try {
            loader->CopyResource(driverPath.c_str(), driverType, driverId);
            RcRes image;
            loader->Load(image, driverType, driverId);
            // Nobody may swap the image between our write and the kernel's load.
            HeldFile held(driverPath.c_str(), image.Data(), image.Size());
            if (!held.Held())
                throw Except_NoAccess("PCI_NT::Init", "Unable to hold driver file");
            InstallDriver();
            return;
        } catch (const Except_FileWriteError&) {
            // Nothing of ours was written there.
        } catch (...) {
            DeleteDriverFile(driverPath);
        }
    }
    throw Except_NoAccess("PCI_NT::Init", "Unable to install driver");
}

void PCI_NT::InstallDriver() {
    static const char source[] = "PCI_NT::InstallDriver()";
    ServiceHandle manager(
        OpenSCManagerA(nullptr, SERVICES_ACTIVE_DATABASEA, SC_MANAGER_CREATE_SERVICE));
    if (!manager.Valid())
        throw Except_NoAccess(source, "Unable to open service control manager");

    service.Reset(CreateServiceA(manager.Get(), serviceName, displayName, SERVICE_ALL_ACCESS,
                                 SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                 driverPath.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
    if (service.Valid()) {
        if (StartServiceA(service.Get(), 0, nullptr))
            return;
        DeleteService(service.Get());
        service.Close();
        throw Except_NoAccess(source, "Unable to start service");
    }

    // Already there (left over, or another run's): used as it is, not started.
    service.Reset(OpenServiceA(manager.Get(), serviceName, SERVICE_ALL_ACCESS));
    if (!service.Valid())
        throw Except_NoAccess(source, "Unable to create service");
}

uint32_t PCI_NT::Read(uint8_t bus, uint8_t device, uint8_t function, uint8_t offset) {
    PCI_Request request = {bus, device, function, offset, 0};
    Handle driver(CreateFileA(devicePath, 0, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!driver.Valid()) {
        DWORD code = GetLastError(); // taken before the exception's allocation can change it
        throw Except_Driver("PCI_NT::Read", "Unable to open driver", code);
    }

    DWORD returned = 0;
    BOOL ok = DeviceIoControl(driver.Get(), IOCTL_PCIUTIL_READ_CONFIG, &request, sizeof request,
                              &request, sizeof request, &returned, nullptr);
    if (!ok && returned != sizeof request) {
        DWORD code = GetLastError(); // taken before the close can change it
        throw Except_Driver("PCI_NT::Read", "Unable to complete IOCTL request", code);
    }
    return request.Value;
}

PCI_NT::~PCI_NT() {
    if (!service.Valid())
        return;
    SERVICE_STATUS status;
    ControlService(service.Get(), SERVICE_CONTROL_STOP, &status);
    DeleteService(service.Get());
    service.Close();
    DeleteDriverFile(driverPath);
}
