#include "pci/PCI_NT.h"

#include "driver/PCIUtilIoctl.h"
#include "errors/Except.h"
#include "errors/Log.h"
#include "rc/RcLdr.h"
#include "win/DeleteOpenFile.h"
#include "win/Handle.h"
#include "win/HeldFile.h"
#include "win/Paths.h"
#include "win/Platform.h"
#include "win/ServiceStop.h"

#include <cstring>
#include <vector>

namespace {

// The driver file in the system directory, which only administrators can
// change: nothing a user controls (the temporary or the current directory)
// decides what the kernel loads. Empty when it can't be had in full.
std::string DriverPath() {
    std::string dir = GetSystemDir();
    return dir.empty() || dir.size() >= MAX_PATH ? std::string() : JoinPath(dir, PCIUTIL_FILE_NAME);
}

// Only where there is no file yet; one we could not fill is removed again.
bool WriteNewFile(const std::string& path, const RcRes& image) {
    {
        Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid())
            return false;
        DWORD written = 0;
        if (WriteFile(file.Get(), image.Data(), image.Size(), &written, nullptr) &&
            written == image.Size())
            return true;
    }
    DeleteFileA(path.c_str());
    return false;
}

// Deletes the driver file through the very handle its bytes were checked
// on: a link in its place is opened itself (there are links from Windows
// 2000 on), and a file that no longer holds our bytes stays. The driver's
// host can hold the image for a moment after the driver stopped or failed
// to start (Wine's does); it gets that moment. Failures go to the log.
void DeleteDriverFile(const std::string& path, const std::string& ours) {
    const DWORD flags = IsWindows2000OrLater() ? FILE_FLAG_OPEN_REPARSE_POINT : 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(ours.data());
    DWORD error = NO_ERROR;
    for (int tries = 0; tries < 200; ++tries) {
        if (tries > 0)
            Sleep(10);
        Handle file(CreateFileA(path.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, flags, nullptr));
        if (file.Valid() && !HoldsExactly(file.Get(), bytes, DWORD(ours.size()))) {
            LogPrintf("PCI_NT::Remove: %s no longer holds the driver; left as it is\n",
                      path.c_str());
            return;
        }
        if (file.Valid() && DeleteOpenFile(file, path))
            return;
        error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return;
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)
            break;
    }
    LogPrintf("PCI_NT::Remove: unable to delete %s (error %lu)\n", path.c_str(), error);
}

// A kernel driver registered for our file, in any case and with or without
// the "\??\" the service manager may put in front.
bool NamesOurFile(SC_HANDLE service, const std::string& path) {
    DWORD needed = 0;
    QueryServiceConfigA(service, nullptr, 0, &needed);
    if (needed < sizeof(QUERY_SERVICE_CONFIGA))
        return false;
    std::vector<char> buffer(needed);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
    if (!QueryServiceConfigA(service, config, needed, &needed) ||
        config->dwServiceType != SERVICE_KERNEL_DRIVER || !config->lpBinaryPathName)
        return false;
    const char* image = config->lpBinaryPathName;
    if (std::strncmp(image, "\\??\\", 4) == 0)
        image += 4;
    return lstrcmpiA(image, path.c_str()) == 0;
}

} // namespace

void PCI_NT::Init() {
    static const char source[] = "PCI_NT::Init";
    RcRes image;
    loader->Load(image, PCIUTIL_RESOURCE_TYPE_TEXT, MAKEINTRESOURCEA(PCIUTIL_RESOURCE_ID));
    // An empty image would match any empty file.
    if (!image.Data() || image.Size() == 0)
        throw Except_NoAccess(source, "Empty driver image");
    ourBytes.assign(reinterpret_cast<const char*>(image.Data()), image.Size());

    claim.emplace(PCIUTIL_CLAIM_NAME);
    if (!claim->Held())
        throw Except_NoAccess(source, "Driver in use by another run");
    std::string path = DriverPath();
    if (path.empty())
        throw Except_NoAccess(source, "No system directory");
    ServiceHandle manager(OpenSCManagerA(nullptr, SERVICES_ACTIVE_DATABASEA,
                                         SC_MANAGER_CONNECT | SC_MANAGER_CREATE_SERVICE));
    if (!manager.Valid())
        throw Except_NoAccess(source, "Unable to open service control manager");

    // A file of that name is ours only with exactly our bytes, and is held
    // from here on: nobody may swap it before the kernel has loaded it. A
    // service is looked at only once its file has proved ours.
    bool existed = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    std::optional<HeldFile> held;
    if (existed) {
        held.emplace(path.c_str(), image.Data(), image.Size());
        if (!held->Held())
            throw Except_NoAccess(source, "Driver file belongs to another program");
    }
    TakeOverLeftover(manager.Get(), path, existed);
    bool ready = existed || WriteNewFile(path, image);
    if (ready) {
        // Ours from here on, to be removed again if the driver doesn't start.
        driverPath = path;
        if (!existed)
            held.emplace(path.c_str(), image.Data(), image.Size());
        ready = held->Held() && InstallDriver(manager.Get(), path);
    }
    if (!ready) {
        held.reset();
        Remove();
        throw Except_NoAccess(source, "Unable to install driver");
    }
}

void PCI_NT::TakeOverLeftover(SC_HANDLE manager, const std::string& path, bool fileOurs) {
    static const char source[] = "PCI_NT::TakeOverLeftover";
    ServiceHandle existing(OpenServiceA(manager, PCIUTIL_SERVICE_NAME, SERVICE_ALL_ACCESS));
    if (!existing.Valid()) {
        if (GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST)
            return;
        throw Except_NoAccess(source, "Unable to open existing service");
    }
    // No run of ours leaves its service without the file: nothing would
    // prove such a one ours.
    if (!fileOurs)
        throw Except_NoAccess(source, "Service without its driver file");
    if (!NamesOurFile(existing.Get(), path))
        throw Except_NoAccess(source, "Service belongs to another program");
    // Still running: left as it is.
    if (!StopAndWait(existing.Get()))
        throw Except_NoAccess(source, "Unable to stop left-over service");
    service.Reset(existing.Release());
}

bool PCI_NT::InstallDriver(SC_HANDLE manager, const std::string& path) {
    if (!service.Valid())
        service.Reset(CreateServiceA(manager, PCIUTIL_SERVICE_NAME, PCIUTIL_DISPLAY_NAME,
                                     SERVICE_ALL_ACCESS, SERVICE_KERNEL_DRIVER,
                                     SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, path.c_str(),
                                     nullptr, nullptr, nullptr, nullptr, nullptr));
    else if (!ChangeServiceConfigA(service.Get(), SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START,
                                   SERVICE_ERROR_NORMAL, path.c_str(), nullptr, nullptr, nullptr,
                                   nullptr, nullptr, PCIUTIL_DISPLAY_NAME))
        return false;
    return service.Valid() && StartServiceA(service.Get(), 0, nullptr);
}

uint32_t PCI_NT::Read(uint8_t bus, uint8_t device, uint8_t function, uint8_t offset) {
    PCI_Request request = {bus, device, function, offset, 0};
    // Whatever answers to the name learns who asks, and can't act as us.
    Handle driver(CreateFileA(PCIUTIL_DEVICE_PATH, 0, 0, nullptr, OPEN_EXISTING,
                              SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
    if (!driver.Valid()) {
        DWORD code = GetLastError(); // taken before the exception's allocation can change it
        throw Except_Driver("PCI_NT::Read", "Unable to open driver", code);
    }

    DWORD returned = 0;
    BOOL ok = call(driver.Get(), IOCTL_PCIUTIL_READ_CONFIG, &request, sizeof request, &request,
                   sizeof request, &returned, nullptr);
    DWORD code = GetLastError(); // taken before the close can change it
    // The driver answers with the whole record; less is some other device.
    if (!ok || returned != sizeof request)
        throw Except_Driver("PCI_NT::Read", "Unable to complete IOCTL request",
                            ok ? DWORD(ERROR_INVALID_DATA) : code);
    return request.Value;
}

PCI_NT::~PCI_NT() {
    Remove();
}

void PCI_NT::Remove() {
    if (service.Valid()) {
        StopAndWait(service.Get());
        if (!DeleteService(service.Get()) && GetLastError() != ERROR_SERVICE_MARKED_FOR_DELETE)
            LogPrintf("PCI_NT::Remove: unable to delete the %s service (error %lu)\n",
                      PCIUTIL_SERVICE_NAME, GetLastError());
        service.Close();
    }
    if (!driverPath.empty())
        DeleteDriverFile(driverPath, ourBytes);
    driverPath.clear();
}
