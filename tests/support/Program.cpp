#include "support/Program.h"
#include "driver/PCIUtilIoctl.h"

std::string BesideThisTest(const std::string& name) {
    char path[MAX_PATH];
    std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.rfind('\\') + 1) + name;
}

std::string ResourceBytes(const char* file, LPCSTR type, LPCSTR name) {
    HMODULE module =
        file ? LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE) : GetModuleHandleA(nullptr);
    HRSRC res = module ? FindResourceA(module, name, type) : nullptr;
    const char* data =
        res ? static_cast<const char*>(LockResource(LoadResource(module, res))) : nullptr;
    std::string bytes = data ? std::string(data, SizeofResource(module, res)) : std::string();
    if (file && module)
        FreeLibrary(module);
    return bytes;
}

std::string DriverImage(const char* file) {
    return ResourceBytes(file, PCIUTIL_RESOURCE_TYPE_TEXT, MAKEINTRESOURCEA(PCIUTIL_RESOURCE_ID));
}
