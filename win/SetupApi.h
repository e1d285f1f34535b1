// The setup-API entry points that the installed-driver query and the
// device-tree reader use, resolved at run time from the system's own copy of
// the library.
#pragma once

#include "win/SystemLibrary.h"

#include <windows.h>

#include <cfgmgr32.h>
#include <setupapi.h>

// Each entry is named as the library exports it; any of them may be null.
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
    decltype(&::SetupDiGetDeviceRegistryPropertyA) SetupDiGetDeviceRegistryPropertyA = nullptr;

    // All nine entries of the installed-driver query are there.
    bool QueriesDrivers() const;
    // All four entries of the device-tree reader are there.
    bool ListsDevices() const;
};

// SetupApi.dll, the system's own copy, with its entry points resolved.
class SetupApiLibrary {
public:
    SetupApiLibrary();

    // Null when the library is missing; check the entries the caller needs.
    const SetupApi* Table() const { return library.Loaded() ? &api : nullptr; }

private:
    SystemLibrary library;
    SetupApi api;
};
