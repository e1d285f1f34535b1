#include "datafile/QueryDriverVersion.h"

#include "errors/Except.h"
#include "win/DeviceInfoSet.h"

#include <cstdio>
#include <cstring>

#ifndef _WIN64
static_assert(sizeof(SP_DEVINFO_DATA) == 28, "32-bit record layout");
static_assert(sizeof(SP_DEVINSTALL_PARAMS_A) == 296, "32-bit record layout");
static_assert(sizeof(SP_DRVINFO_DATA_V2_A) == 796, "32-bit record layout");
#endif

namespace {

const char multipleMarker[] = "(Multiple driver versions detected) ";

std::string VersionText(DWORDLONG version) {
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", unsigned(version >> 48) & 0xFFFF,
                  unsigned(version >> 32) & 0xFFFF, unsigned(version >> 16) & 0xFFFF,
                  unsigned(version) & 0xFFFF);
    return text;
}

// The instance identifier, or the empty text when it cannot be read. The
// buffer starts cleared every time, so a call that reports success without
// writing can never leave another device's identifier in it.
std::string DeviceId(const SetupApi& api, DEVINST device) {
    char id[MAX_DEVICE_ID_LEN];
    std::memset(id, 0, sizeof id);
    if (api.CM_Get_Device_ID_ExA(device, id, sizeof id, 0, nullptr) != CR_SUCCESS)
        return std::string();
    return std::string(id, strnlen(id, sizeof id));
}

// Asks for the installed driver in the list built next, also when it is
// marked as excluded from selection. False, with nothing written back, when
// the device's parameters can't be read.
bool IncludeInstalledDriver(const SetupApi& api, HDEVINFO set, SP_DEVINFO_DATA& device) {
    SP_DEVINSTALL_PARAMS_A params;
    std::memset(&params, 0, sizeof params);
    params.cbSize = sizeof params;
    if (!api.SetupDiGetDeviceInstallParamsA(set, &device, &params))
        return false;
    params.FlagsEx |= DI_FLAGSEX_INSTALLEDDRIVER | DI_FLAGSEX_ALLOWEXCLUDEDDRVS;
    api.SetupDiSetDeviceInstallParamsA(set, &device, &params);
    return true;
}

} // namespace

std::string QueryDriverVersion(std::string className, std::string hardwareId,
                               std::string& description) {
    SetupApiLibrary library;
    if (!library.Table())
        return std::string();
    return QueryDriverVersion(*library.Table(), className, hardwareId, description);
}

std::string QueryDriverVersion(const SetupApi& api, const std::string& className,
                               const std::string& hardwareId, std::string& description) {
    if (!api.QueriesDrivers())
        return std::string();

    // Only the first GUID of the name is used. A name with more GUIDs than
    // the list holds fails the call with the first one filled in, so the
    // result says nothing; a name the platform gives none for is unknown.
    GUID classGuid;
    std::memset(&classGuid, 0, sizeof classGuid);
    DWORD guids = 0;
    api.SetupDiClassGuidsFromNameA(className.c_str(), &classGuid, 1, &guids);
    if (guids == 0)
        return std::string();

    std::string list;
    bool multiple = false;
    auto read = [&](HDEVINFO set, SP_DEVINFO_DATA& device) {
        if (DeviceId(api, device.DevInst).find(hardwareId) == std::string::npos ||
            !IncludeInstalledDriver(api, set, device) ||
            !api.SetupDiBuildDriverInfoList(set, &device, SPDIT_COMPATDRIVER))
            return;

        SP_DRVINFO_DATA_V2_A driver;
        std::memset(&driver, 0, sizeof driver);
        driver.cbSize = sizeof driver;
        DWORD entries = 0;
        for (; api.SetupDiEnumDriverInfoA(set, &device, SPDIT_COMPATDRIVER, entries, &driver);
             ++entries) {
            description.assign(driver.Description,
                               strnlen(driver.Description, sizeof driver.Description));
            if (!list.empty())
                list += ", ";
            list += VersionText(driver.DriverVersion);
        }
        if (entries > 1)
            multiple = true;
    };
    // A set that can't be had lists nothing; a listing that broke off would
    // pass for a machine with fewer drivers.
    if (DeviceInfoSet::ForEachDevice(api, &classGuid, nullptr, DIGCF_PRESENT, read) ==
        Listing::Broken)
        throw Except_NoAccess("QueryDriverVersion", "Device listing failed partway");
    return multiple ? multipleMarker + list : list;
}
