#include "win/SetupApi.h"

bool SetupApi::QueriesDrivers() const {
    return SetupDiClassGuidsFromNameA && SetupDiGetClassDevsA && SetupDiEnumDeviceInfo &&
           SetupDiGetDeviceInstallParamsA && SetupDiSetDeviceInstallParamsA &&
           SetupDiBuildDriverInfoList && SetupDiEnumDriverInfoA && SetupDiDestroyDeviceInfoList &&
           CM_Get_Device_ID_ExA;
}

bool SetupApi::ListsDevices() const {
    return SetupDiGetClassDevsA && SetupDiEnumDeviceInfo && SetupDiGetDeviceRegistryPropertyA &&
           SetupDiDestroyDeviceInfoList;
}

SetupApiLibrary::SetupApiLibrary() : library("SetupApi.dll") {
    library.Resolve("SetupDiClassGuidsFromNameA", api.SetupDiClassGuidsFromNameA);
    library.Resolve("SetupDiGetClassDevsA", api.SetupDiGetClassDevsA);
    library.Resolve("SetupDiEnumDeviceInfo", api.SetupDiEnumDeviceInfo);
    library.Resolve("SetupDiGetDeviceInstallParamsA", api.SetupDiGetDeviceInstallParamsA);
    library.Resolve("SetupDiSetDeviceInstallParamsA", api.SetupDiSetDeviceInstallParamsA);
    library.Resolve("SetupDiBuildDriverInfoList", api.SetupDiBuildDriverInfoList);
    library.Resolve("SetupDiEnumDriverInfoA", api.SetupDiEnumDriverInfoA);
    library.Resolve("SetupDiDestroyDeviceInfoList", api.SetupDiDestroyDeviceInfoList);
    library.Resolve("CM_Get_Device_ID_ExA", api.CM_Get_Device_ID_ExA);
    library.Resolve("SetupDiGetDeviceRegistryPropertyA", api.SetupDiGetDeviceRegistryPropertyA);
}
