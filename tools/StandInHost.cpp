// Stands in for the report host. When SYSREPORT_CAPTURE names a folder it
// records there what it was given: its command line (cmdline.txt), its own
// path (module.txt), its current folder (cwd.txt), the page its quoted
// argument names (page.hta) and the input.txt and SysReport.ico beside that
// page, the performance counter at its start (started.txt), and whether a
// PCIUtil service or driver file exists while it runs (driver.txt). Ends
// with the code in SYSREPORT_HOST_EXIT.
#include "driver/PCIUtilIoctl.h"
#include "win/Paths.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

void Save(const std::string& path, const std::string& text) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    DWORD put;
    WriteFile(f, text.data(), text.size(), &put, nullptr);
    CloseHandle(f);
}

std::string Env(const char* name) {
    char value[MAX_PATH] = "";
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
}

// "service" and "file" for what of the driver is there, space-separated.
std::string DriverTraces() {
    std::string traces;
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service =
        manager ? OpenServiceA(manager, PCIUTIL_SERVICE_NAME, SERVICE_QUERY_STATUS) : nullptr;
    if (service || !manager)
        traces += "service ";
    if (service)
        CloseServiceHandle(service);
    if (manager)
        CloseServiceHandle(manager);
    if (GetFileAttributesA(SystemFile(PCIUTIL_FILE_NAME).c_str()) != INVALID_FILE_ATTRIBUTES)
        traces += "file";
    return traces;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    std::string capture = Env("SYSREPORT_CAPTURE");
    if (!capture.empty()) {
        Save(capture + "\\started.txt", std::to_string(now.QuadPart));
        std::string line = GetCommandLineA();
        Save(capture + "\\cmdline.txt", line);
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, sizeof self);
        Save(capture + "\\module.txt", self);
        GetCurrentDirectoryA(sizeof self, self);
        Save(capture + "\\cwd.txt", self);
        Save(capture + "\\driver.txt", DriverTraces());

        // The argument: the last quoted text of the command line.
        size_t close = line.rfind('"');
        size_t open = close == std::string::npos ? close : line.rfind('"', close - 1);
        if (open != std::string::npos) {
            std::string page = line.substr(open + 1, close - open - 1);
            CopyFileA(page.c_str(), (capture + "\\page.hta").c_str(), FALSE);
            for (const char* beside : {"input.txt", "SysReport.ico"})
                CopyFileA((page.substr(0, page.rfind('\\') + 1) + beside).c_str(),
                          (capture + "\\" + beside).c_str(), FALSE);
        }
    }
    return std::atoi(Env("SYSREPORT_HOST_EXIT").c_str());
}
