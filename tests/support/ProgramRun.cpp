#include "support/ProgramRun.h"

#include "support/TempDir.h"
#include "support/Wine.h"
#include "win/Paths.h"

#include <set>
#include <stdexcept>

ProgramOutcome RunProgram(const std::string& exe, const std::string& dir,
                          const std::string& arguments) {
    ProgramOutcome outcome;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string line = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                        &startup, &info))
        return outcome;
    outcome.started = true;
    outcome.ended = true;
    CloseHandle(info.hThread);

    std::set<HWND> answered;
    DWORD start = GetTickCount();
    while (WaitForSingleObject(info.hProcess, 50) == WAIT_TIMEOUT) {
        if (GetTickCount() - start > 60000) {
            TerminateProcess(info.hProcess, 1);
            outcome.ended = false;
            break;
        }
        // A box can be found before it is set up: trust it once visible.
        HWND box = FindWindowA("#32770", nullptr);
        DWORD owner = 0;
        if (box)
            GetWindowThreadProcessId(box, &owner);
        if (owner != info.dwProcessId || !IsWindowVisible(box) || answered.count(box))
            continue;
        char caption[64] = "", text[256] = "";
        GetWindowTextA(box, caption, sizeof caption);
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        HWND icon = GetDlgItem(box, 0x0440);
        bool hasIcon = icon && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
        outcome.boxes.push_back({caption, text, hasIcon});
        answered.insert(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    GetExitCodeProcess(info.hProcess, &outcome.exitCode);
    CloseHandle(info.hProcess);
    return outcome;
}

namespace {

std::string IdText(LPCSTR id) {
    return IS_INTRESOURCE(id) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(id)) : id;
}

LPCSTR TextId(const std::string& text) {
    return text[0] == '#' ? MAKEINTRESOURCEA(std::stoul(text.substr(1))) : text.c_str();
}

struct Collector {
    std::vector<Resource> found;
    std::string type, name;
};

BOOL CALLBACK OnLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language, LONG_PTR param) {
    auto* c = reinterpret_cast<Collector*>(param);
    HRSRC res = FindResourceExA(module, type, name, language);
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, res)));
    c->found.push_back(
        {c->type, c->name, language, std::string(data, data ? SizeofResource(module, res) : 0)});
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
    auto* c = reinterpret_cast<Collector*>(param);
    c->name = IdText(name);
    EnumResourceLanguagesA(module, type, name, OnLanguage, param);
    return TRUE;
}

BOOL CALLBACK OnType(HMODULE module, LPSTR type, LONG_PTR param) {
    auto* c = reinterpret_cast<Collector*>(param);
    c->type = IdText(type);
    EnumResourceNamesA(module, type, OnName, param);
    return TRUE;
}

} // namespace

std::vector<Resource> ReadResources(const std::string& exe) {
    Collector c;
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        throw std::runtime_error("cannot map " + exe);
    EnumResourceTypesA(module, OnType, reinterpret_cast<LONG_PTR>(&c));
    FreeLibrary(module);
    return c.found;
}

void WriteCopyWithResources(const std::string& exe, const std::string& copy,
                            const std::vector<Resource>& resources) {
    if (!CopyFileA(exe.c_str(), copy.c_str(), FALSE))
        throw std::runtime_error("cannot copy " + exe);
    // Deleting one resource does nothing under Wine: start empty instead.
    HANDLE update = BeginUpdateResourceA(copy.c_str(), TRUE);
    if (!update)
        throw std::runtime_error("cannot update " + copy);
    for (const Resource& r : resources)
        UpdateResourceA(update, TextId(r.type), TextId(r.name), r.language,
                        const_cast<char*>(r.bytes.data()), r.bytes.size());
    if (!EndUpdateResourceA(update, FALSE))
        throw std::runtime_error("cannot write " + copy);
}

namespace {

std::string Installed(const char* name) {
    return GetSystemDir() + "\\" + name;
}
std::string Saved(const char* name) {
    return Installed(name) + ".sysreport-saved";
}

// A copy saved by an earlier run that never restored it is the original.
bool ReplaceSystemFile(const char* name, const std::string& with) {
    return (FileExists(Saved(name)) ||
            CopyFileA(Installed(name).c_str(), Saved(name).c_str(), TRUE)) &&
           CopyFileA(with.c_str(), Installed(name).c_str(), FALSE);
}

void RestoreSystemFile(const char* name) {
    if (CopyFileA(Saved(name).c_str(), Installed(name).c_str(), FALSE))
        DeleteFileA(Saved(name).c_str());
}

} // namespace

bool InstallReportHost(const std::string& host) {
    return ReplaceSystemFile("mshta.exe", host) &&
           SetWineSetting("DllOverrides", "mshta.exe", "native");
}

void RestoreReportHost() {
    ClearWineSetting("DllOverrides", "mshta.exe");
    RestoreSystemFile("mshta.exe");
}

bool SetProgramOverride(const char* program, const char* library, const char* order) {
    return SetWineSetting(std::string("AppDefaults\\") + program + "\\DllOverrides", library,
                          order);
}

void ClearProgramOverride(const char* program, const char* library) {
    ClearWineSetting(std::string("AppDefaults\\") + program + "\\DllOverrides", library);
}

bool InstallSetupLibrary(const std::string& library, const char* program) {
    return ReplaceSystemFile("setupapi.dll", library) &&
           SetProgramOverride(program, "setupapi", "native");
}

void RestoreSetupLibrary(const char* program) {
    ClearProgramOverride(program, "setupapi");
    RestoreSystemFile("setupapi.dll");
}
