// The setup-API entry points that the installed-driver query uses, resolved
// at run time from the system's own copy of the library.
#pragma once

#include "win/SystemLibrary.h"

#include <windows.h>

#include <cfgmgr32.h>
#include <setupapi.h>

// Each entry is named as the library exports it. A query needs all nine.
struct SetupApi {
    decltype(&::SetupDiClassGuidsFromNameA) SetupDiClassGuidsFromNameA = nullptr;
    decltype(&::SetupDiGetClassDevsA) SetupDiGetClassDevsA = nullptr;
    decltype(&::SetupDiEnumDeviceInfo) SetupDiEnumDeviceInfo = nullptr;
    decltype(&::SetupDiGetDeviceInstallParamsA) SetupDiGetDeviceInstallParamsA = nullptr;
    decltype(&::SetupDiSetDeviceInstallParamsA) SetupDiSetDeviceInstallParamsA = nullptr;
    decltype(&::SetupDiBuildDriverInfoList) SetupDiBuildDriverInfoList = nullptr;
    decltype(&::SetupDiEnumDriverInfoA) SetupDiEnumDriverInfoA = nullptr;
    decltype(&::SetupDiDestroyDeviceInfoList) SetupDiDestroyDeviceInfoList = nullptr;
    decltype(&::CM_Get_Device_ID_ExA) CM_Get_Device_ID_ExA = nullptr;

    bool Complete() const;
};

// SetupApi.dll, the system's own copy, with its entry points resolved.
class SetupApiLibrary {
public:
    SetupApiLibrary();

    // Null when the library or one of the entry points is missing.
    const SetupApi* Table() const { return api.Complete() ? &api : nullptr; }

private:
    SystemLibrary library;
    SetupApi api;
};
