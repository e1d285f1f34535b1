/* Stands in for the system's SetupApi.dll in one run of the program: the
   PCI enumerator lists a made-up machine, and the class "net" holds its
   wireless adapter, whose installed driver has a description that no
   report may take at its word. */
#define _SETUPAPI_ /* defines the entry points instead of importing them */
#define _CFGMGR32_
#include <windows.h>

#include <cfgmgr32.h>
#include <setupapi.h>
#include <string.h>

/* Each literal's own NUL ends its list. */
#define LIST(text) text, sizeof text

static const struct {
    DWORD bus, address;
    const char* hardwareIds;
    DWORD hardwareSize;
    const char* compatibleIds;
    DWORD compatibleSize;
} devices[] = {
    {0, 0x00000000,
     LIST(
         "PCI\\VEN_7A3E&DEV_5B40&SUBSYS_5B407A3E&REV_02\0PCI\\VEN_7A3E&DEV_5B40&SUBSYS_5B407A3E\0"),
     LIST(
         "PCI\\VEN_7A3E&DEV_5B40&REV_02\0PCI\\VEN_7A3E&CC_060000\0PCI\\CC_060000\0PCI\\CC_0600\0")},
    {0, 0x00000002, LIST("PCI\\VEN_7A3E&DEV_5B42&SUBSYS_5B427A3E&REV_02\0"),
     LIST("PCI\\VEN_7A3E&DEV_5B42&REV_02\0PCI\\CC_030000\0")},
    {0, 0x001F0000, LIST("PCI\\VEN_7A3E&DEV_5B70&REV_05\0"), LIST("PCI\\CC_0601\0")},
    {0, 0x001F0003, LIST("PCI\\VEN_7A3E&DEV_5B73&SUBSYS_5B737A3E&REV_05\0"),
     LIST("PCI\\CC_0C0500\0")},
    {2, 0x00000000, LIST("PCI\\VEN_7A3E&DEV_4D31&SUBSYS_00117A3E&REV_01\0"),
     LIST("PCI\\CC_028000\0")},
};
static const DWORD count = sizeof devices / sizeof devices[0];

static char listing, adapters; /* their addresses are the device information sets */
static const GUID netClass = {0x7a3e0001, 0x5a52, 0x4e4b, {0x9a, 0x01, 0, 0, 0, 0, 0, 1}};
#define ADAPTER 100 /* the adapter's device instance */

HDEVINFO WINAPI SetupDiGetClassDevsA(const GUID* guid, PCSTR enumerator, HWND window, DWORD flags) {
    (void)window;
    (void)flags;
    if (guid && !enumerator && IsEqualGUID(guid, &netClass))
        return &adapters;
    if (guid || !enumerator || lstrcmpiA(enumerator, "PCI") != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    return &listing;
}

BOOL WINAPI SetupDiClassGuidsFromNameA(PCSTR name, LPGUID guids, DWORD size, PDWORD required) {
    *required = lstrcmpiA(name, "net") == 0;
    if (*required && size)
        *guids = netClass;
    return TRUE;
}

CONFIGRET WINAPI CM_Get_Device_ID_ExA(DEVINST device, PSTR id, ULONG size, ULONG flags,
                                      HMACHINE machine) {
    (void)flags;
    (void)machine;
    lstrcpynA(id,
              device == ADAPTER ? "PCI\\VEN_7A3E&DEV_4D31&SUBSYS_11117A3E&REV_01\\4&1&0&00E0" : "",
              (int)size);
    return CR_SUCCESS;
}

BOOL WINAPI SetupDiGetDeviceInstallParamsA(HDEVINFO set, PSP_DEVINFO_DATA data,
                                           PSP_DEVINSTALL_PARAMS_A params) {
    (void)params;
    return set == &adapters && data->DevInst == ADAPTER;
}

BOOL WINAPI SetupDiSetDeviceInstallParamsA(HDEVINFO set, PSP_DEVINFO_DATA data,
                                           PSP_DEVINSTALL_PARAMS_A params) {
    return SetupDiGetDeviceInstallParamsA(set, data, params);
}

BOOL WINAPI SetupDiBuildDriverInfoList(HDEVINFO set, PSP_DEVINFO_DATA data, DWORD type) {
    (void)type;
    return set == &adapters && data->DevInst == ADAPTER;
}

/* A quote, a backslash, a control byte, a byte above 0x7F, and markup; in
   code page 932, as a Japanese system would give it, "Kit " and katakana
   so, whose second byte is ASCII's backslash. */
BOOL WINAPI SetupDiEnumDriverInfoA(HDEVINFO set, PSP_DEVINFO_DATA data, DWORD type, DWORD index,
                                   PSP_DRVINFO_DATA_A driver) {
    (void)type;
    if (set != &adapters || data->DevInst != ADAPTER || index > 0) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    lstrcpyA(driver->Description, GetACP() == 932
                                      ? "Kit \x83\x5C"
                                      : "Zarnik \"WaveLink\" 310\\A\x01\tB\xE9 </script><b>x");
    driver->DriverVersion = (DWORDLONG)7 << 48 | (DWORDLONG)2 << 32 | 16;
    return TRUE;
}

BOOL WINAPI SetupDiEnumDeviceInfo(HDEVINFO set, DWORD index, PSP_DEVINFO_DATA data) {
    if (set == &adapters && index == 0) {
        data->DevInst = ADAPTER;
        return TRUE;
    }
    if (set != &listing || index >= count) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    data->DevInst = index;
    return TRUE;
}

BOOL WINAPI SetupDiGetDeviceRegistryPropertyA(HDEVINFO set, PSP_DEVINFO_DATA data, DWORD property,
                                              PDWORD type, PBYTE buffer, DWORD size,
                                              PDWORD required) {
    const void* bytes;
    DWORD length = sizeof(DWORD);
    if (set != &listing || data->DevInst >= count) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (type)
        *type = property == SPDRP_BUSNUMBER || property == SPDRP_ADDRESS ? REG_DWORD : REG_MULTI_SZ;
    if (property == SPDRP_BUSNUMBER) {
        bytes = &devices[data->DevInst].bus;
    } else if (property == SPDRP_ADDRESS) {
        bytes = &devices[data->DevInst].address;
    } else if (property == SPDRP_HARDWAREID) {
        bytes = devices[data->DevInst].hardwareIds;
        length = devices[data->DevInst].hardwareSize;
    } else if (property == SPDRP_COMPATIBLEIDS) {
        bytes = devices[data->DevInst].compatibleIds;
        length = devices[data->DevInst].compatibleSize;
    } else {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    if (required)
        *required = length;
    if (size < length) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    memcpy(buffer, bytes, length);
    return TRUE;
}

BOOL WINAPI SetupDiDestroyDeviceInfoList(HDEVINFO set) {
    return set == &listing || set == &adapters;
}
