// Compiled twice: into the unit tests' library, where each double checks the
// arguments it is given, and with STANDIN_SETUPAPI_DLL into the stand-in
// setup library, which exports the doubles and has nobody to report to.
#define _SETUPAPI_ // the entry points are defined here, not imported
#define _CFGMGR32_
#include "support/FakeSetupApi.h"

#include <cstring>
#include <utility>

#ifdef STANDIN_SETUPAPI_DLL
#define ENTRY extern "C" __declspec(dllexport)
#define EXPECT_ARG(expected, actual) static_cast<void>(actual)
#else
#include <gtest/gtest.h>
#define ENTRY extern "C"
#define EXPECT_ARG(expected, actual) EXPECT_EQ(expected, actual)
#endif

FakePlatform fakeSetup;

const GUID netClass = {
    0x4d36e972, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

DWORDLONG Version(unsigned a, unsigned b, unsigned c, unsigned d) {
    return DWORDLONG(a) << 48 | DWORDLONG(b) << 32 | DWORDLONG(c) << 16 | d;
}

namespace {

HDEVINFO const fakeSet = reinterpret_cast<HDEVINFO>(0x5E7);

FakeDevice& DeviceOf(const SP_DEVINFO_DATA* data) {
    return fakeSetup.devices.at(data->DevInst - 100);
}

} // namespace

ENTRY BOOL WINAPI SetupDiClassGuidsFromNameA(PCSTR name, LPGUID list, DWORD size, PDWORD required) {
    if (fakeSetup.guidCallFails)
        return FALSE;
    *required = 0;
    if (std::strcmp(name, "net") == 0 && size >= 1) {
        *list = netClass;
        *required = 1;
    }
    // More GUIDs than the list holds: the first is filled in all the same.
    if (std::strcmp(name, "twoguids") == 0 && size >= 1) {
        *list = netClass;
        *required = 2;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    return TRUE;
}

ENTRY HDEVINFO WINAPI SetupDiGetClassDevsA(const GUID* guid, PCSTR enumerator, HWND window,
                                           DWORD flags) {
    EXPECT_ARG(nullptr, window);
    if (!guid) {
        EXPECT_ARG(std::string("PCI"), enumerator ? enumerator : "(null)");
        EXPECT_ARG(DWORD(DIGCF_ALLCLASSES | DIGCF_PRESENT), flags);
        if (fakeSetup.listingFails)
            return INVALID_HANDLE_VALUE;
    } else {
        EXPECT_ARG(true, IsEqualGUID(netClass, *guid) != 0);
        EXPECT_ARG(nullptr, enumerator);
        EXPECT_ARG(DWORD(DIGCF_PRESENT), flags);
    }
    ++fakeSetup.setsCreated;
    return fakeSet;
}

ENTRY BOOL WINAPI SetupDiEnumDeviceInfo(HDEVINFO set, DWORD index, PSP_DEVINFO_DATA data) {
    EXPECT_ARG(fakeSet, set);
    EXPECT_ARG(sizeof(SP_DEVINFO_DATA), data->cbSize);
    if (index >= fakeSetup.devices.size() || fakeSetup.devices[index].enumFails) {
        SetLastError(index >= fakeSetup.devices.size() ? ERROR_NO_MORE_ITEMS : ERROR_INVALID_DATA);
        return FALSE;
    }
    data->DevInst = 100 + index;
    return TRUE;
}

ENTRY CONFIGRET WINAPI CM_Get_Device_ID_ExA(DEVINST device, PCHAR buffer, ULONG length, ULONG flags,
                                            HMACHINE machine) {
    EXPECT_ARG(ULONG(MAX_DEVICE_ID_LEN), length);
    EXPECT_ARG(0u, flags);
    EXPECT_ARG(nullptr, machine);
    for (ULONG i = 0; i < length; ++i)
        fakeSetup.idBufferWasClear = fakeSetup.idBufferWasClear && buffer[i] == 0;
    const FakeDevice& d = fakeSetup.devices.at(device - 100);
    if (d.idResult == CR_SUCCESS && d.writesId)
        std::strcpy(buffer, d.id.c_str());
    if (d.idResult != CR_SUCCESS) // a failing call may leave anything behind
        std::strcpy(buffer, "PCI\\VEN_1A2B&DEV_3C4D");
    return d.idResult;
}

ENTRY BOOL WINAPI SetupDiGetDeviceInstallParamsA(HDEVINFO, PSP_DEVINFO_DATA data,
                                                 PSP_DEVINSTALL_PARAMS_A params) {
    EXPECT_ARG(sizeof(SP_DEVINSTALL_PARAMS_A), params->cbSize);
    if (DeviceOf(data).paramsFail)
        return FALSE;
    params->FlagsEx = DI_FLAGSEX_DIDINFOLIST;
    return TRUE;
}

ENTRY BOOL WINAPI SetupDiSetDeviceInstallParamsA(HDEVINFO, PSP_DEVINFO_DATA,
                                                 PSP_DEVINSTALL_PARAMS_A params) {
    fakeSetup.storedFlagsEx.push_back(params->FlagsEx);
    return TRUE;
}

ENTRY BOOL WINAPI SetupDiBuildDriverInfoList(HDEVINFO, PSP_DEVINFO_DATA data, DWORD type) {
    EXPECT_ARG(DWORD(SPDIT_COMPATDRIVER), type);
    return !DeviceOf(data).listFails;
}

ENTRY BOOL WINAPI SetupDiEnumDriverInfoA(HDEVINFO, PSP_DEVINFO_DATA data, DWORD type, DWORD index,
                                         PSP_DRVINFO_DATA_A info) {
    EXPECT_ARG(DWORD(SPDIT_COMPATDRIVER), type);
    EXPECT_ARG(sizeof(SP_DRVINFO_DATA_V2_A), info->cbSize);
    const FakeDevice& d = DeviceOf(data);
    if (d.listFails || index >= d.drivers.size())
        return FALSE;
    std::strcpy(info->Description, d.drivers[index].description.c_str());
    info->DriverVersion = d.drivers[index].version;
    return TRUE;
}

ENTRY BOOL WINAPI SetupDiGetDeviceRegistryPropertyA(HDEVINFO set, PSP_DEVINFO_DATA data,
                                                    DWORD property, PDWORD type, PBYTE buffer,
                                                    DWORD size, PDWORD required) {
    EXPECT_ARG(fakeSet, set);
    const FakeDevice& d = DeviceOf(data);
    std::string bytes;
    *type = REG_MULTI_SZ;
    if (property == SPDRP_BUSNUMBER || property == SPDRP_ADDRESS) {
        const DWORD& value = property == SPDRP_BUSNUMBER ? d.bus : d.address;
        bytes.assign(reinterpret_cast<const char*>(&value), sizeof value);
        *type = REG_DWORD;
    } else if (property == SPDRP_HARDWAREID) {
        bytes = d.hardwareIds;
    } else {
        EXPECT_ARG(DWORD(SPDRP_COMPATIBLEIDS), property); // no other is asked for
        bytes = d.compatibleIds;
    }
    *required = bytes.size();
    if (bytes.empty() || bytes.size() > size) {
        SetLastError(bytes.empty() ? ERROR_INVALID_DATA : ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(buffer, bytes.data(), bytes.size());
    return TRUE;
}

ENTRY BOOL WINAPI SetupDiDestroyDeviceInfoList(HDEVINFO set) {
    EXPECT_ARG(fakeSet, set);
    ++fakeSetup.setsDestroyed;
    return TRUE;
}

SetupApi Doubles() {
    SetupApi api;
    api.SetupDiClassGuidsFromNameA = SetupDiClassGuidsFromNameA;
    api.SetupDiGetClassDevsA = SetupDiGetClassDevsA;
    api.SetupDiEnumDeviceInfo = SetupDiEnumDeviceInfo;
    api.SetupDiGetDeviceInstallParamsA = SetupDiGetDeviceInstallParamsA;
    api.SetupDiSetDeviceInstallParamsA = SetupDiSetDeviceInstallParamsA;
    api.SetupDiBuildDriverInfoList = SetupDiBuildDriverInfoList;
    api.SetupDiEnumDriverInfoA = SetupDiEnumDriverInfoA;
    api.SetupDiDestroyDeviceInfoList = SetupDiDestroyDeviceInfoList;
    api.CM_Get_Device_ID_ExA = CM_Get_Device_ID_ExA;
    api.SetupDiGetDeviceRegistryPropertyA = SetupDiGetDeviceRegistryPropertyA;
    return api;
}

std::string MultiString(std::initializer_list<const char*> entries) {
    std::string list;
    for (const char* entry : entries)
        list += std::string(entry) + '\0';
    return list + '\0';
}

FakeDevice PciFunction(DWORD bus, DWORD device, DWORD function, std::string hardwareIds,
                       std::string compatibleIds) {
    FakeDevice d;
    d.bus = bus;
    d.address = device << 16 | function;
    d.hardwareIds = std::move(hardwareIds);
    d.compatibleIds = std::move(compatibleIds);
    return d;
}
