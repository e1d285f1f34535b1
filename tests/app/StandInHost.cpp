// Stands in for the report host. When SYSREPORT_CAPTURE names a folder it
// records there what it was given: its command line (cmdline.txt), its own
// path (module.txt), the page its quoted argument names (page.hta) and the
// input.txt beside that page, and the performance counter at its start
// (started.txt). Ends with the code in SYSREPORT_HOST_EXIT.
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

        // The argument: the last quoted text of the command line.
        size_t close = line.rfind('"');
        size_t open = close == std::string::npos ? close : line.rfind('"', close - 1);
        if (open != std::string::npos) {
            std::string page = line.substr(open + 1, close - open - 1);
            CopyFileA(page.c_str(), (capture + "\\page.hta").c_str(), FALSE);
            std::string input = page.substr(0, page.rfind('\\') + 1) + "input.txt";
            CopyFileA(input.c_str(), (capture + "\\input.txt").c_str(), FALSE);
        }
    }
    return std::atoi(Env("SYSREPORT_HOST_EXIT").c_str());
}
