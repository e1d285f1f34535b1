#include "datafile/SetupApi.h"

#include "datafile/Paths.h"

#include <string>

namespace {

template <class F> void Resolve(HMODULE module, const char* name, F& entry) {
    // Through the generic function type, which any entry point converts to.
    entry = reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace

bool SetupApi::Complete() const {
    return SetupDiClassGuidsFromNameA && SetupDiGetClassDevsA && SetupDiEnumDeviceInfo &&
           SetupDiGetDeviceInstallParamsA && SetupDiSetDeviceInstallParamsA &&
           SetupDiBuildDriverInfoList && SetupDiEnumDriverInfoA && SetupDiDestroyDeviceInfoList &&
           CM_Get_Device_ID_ExA;
}

SetupApiLibrary::SetupApiLibrary() {
    char dir[MAX_PATH];
    UINT length = GetSystemDirectoryA(dir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    std::string path = JoinPath(std::string(dir, length), "SetupApi.dll");
    // The library's own imports are looked for beside it first, too.
    module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module)
        return;

    Resolve(module, "SetupDiClassGuidsFromNameA", api.SetupDiClassGuidsFromNameA);
    Resolve(module, "SetupDiGetClassDevsA", api.SetupDiGetClassDevsA);
    Resolve(module, "SetupDiEnumDeviceInfo", api.SetupDiEnumDeviceInfo);
    Resolve(module, "SetupDiGetDeviceInstallParamsA", api.SetupDiGetDeviceInstallParamsA);
    Resolve(module, "SetupDiSetDeviceInstallParamsA", api.SetupDiSetDeviceInstallParamsA);
    Resolve(module, "SetupDiBuildDriverInfoList", api.SetupDiBuildDriverInfoList);
    Resolve(module, "SetupDiEnumDriverInfoA", api.SetupDiEnumDriverInfoA);
    Resolve(module, "SetupDiDestroyDeviceInfoList", api.SetupDiDestroyDeviceInfoList);
    Resolve(module, "CM_Get_Device_ID_ExA", api.CM_Get_Device_ID_ExA);
}

SetupApiLibrary::~SetupApiLibrary() {
    if (module)
        FreeLibrary(module);
}
