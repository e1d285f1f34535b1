// The least a run can do: the same platform calls SysReport must make to
// show a report (driver file, service, one device open and control request
// per PCI statement, the setup-API lookups, the driver gone again, the two
// files, the report host),
// with no evaluation around them. The time-to-report benchmark compares
// SysReport with this.
#include "app/LaunchAndWait.h"
#include "datafile/DataFile.h"
#include "driver/PCIUtilIoctl.h"
#include "rc/RcLdr.h"
#include "win/Handle.h"
#include "win/ServiceHandle.h"
#include "win/ServiceStop.h"
#include "win/SetupApi.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string Resource(RcLdr& loader, LPCSTR type, LPCSTR name) {
    RcRes res;
    loader.Load(res, type, name);
    return std::string(reinterpret_cast<const char*>(res.Data()), res.Size());
}

size_t Count(const std::string& text, const char* what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

void Write(const std::string& path, const std::string& bytes) {
    Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD put;
    WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &put, nullptr);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RcLdr loader(instance);
    std::string data = Resource(loader, "DATAFILE", "INPUT_FILE");
    std::string variables = SplitDataFile(data).variables;

    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, MAX_PATH);
    std::string driver = std::string(dir) + "\\" PCIUTIL_FILE_NAME;
    Write(driver,
          Resource(loader, PCIUTIL_RESOURCE_TYPE_TEXT, MAKEINTRESOURCEA(PCIUTIL_RESOURCE_ID)));
    ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    ServiceHandle service(CreateServiceA(manager.Get(), PCIUTIL_SERVICE_NAME, PCIUTIL_DISPLAY_NAME,
                                         SERVICE_ALL_ACCESS, SERVICE_KERNEL_DRIVER,
                                         SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, driver.c_str(),
                                         nullptr, nullptr, nullptr, nullptr, nullptr));
    StartServiceA(service.Get(), 0, nullptr);

    for (size_t i = Count(variables, "PCI("); i > 0; --i) {
        Handle device(CreateFileA(PCIUTIL_DEVICE_PATH, 0, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        PCI_Request request = {0, 0, 0, 0, 0};
        DWORD got;
        DeviceIoControl(device.Get(), IOCTL_PCIUTIL_READ_CONFIG, &request, sizeof request, &request,
                        sizeof request, &got, nullptr);
    }
    for (size_t i = Count(variables, "DRIVER("); i > 0; --i) {
        SetupApiLibrary library;
        GUID guid;
        DWORD size = 0;
        if (library.Table() && library.Table()->QueriesDrivers())
            library.Table()->SetupDiClassGuidsFromNameA("net", &guid, 1, &size);
    }

    StopAndWait(service.Get());
    DeleteService(service.Get());
    service.Close();
    // The driver's host may hold the image a moment longer, as for SysReport.
    for (int tries = 0; tries < 40 && !DeleteFileA(driver.c_str()); ++tries)
        Sleep(50);

    GetCurrentDirectoryA(MAX_PATH, dir);
    std::string input = std::string(dir) + "\\input.txt", page = std::string(dir) + "\\output.hta";
    Write(input, data);
    Write(page, Resource(loader, "HTMLFILE", "OUTPUT_FILE"));
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    std::string line = "\"" + std::string(system) + "\\mshta.exe\" \"" + page + "\"";
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    LaunchAndWait(commandLine.data(), SW_SHOW, 0, 0);

    DeleteFileA(page.c_str());
    DeleteFileA(input.c_str());
    return 0;
}
