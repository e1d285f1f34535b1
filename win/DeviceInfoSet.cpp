#include "win/DeviceInfoSet.h"

#include <cstring>

Listing DeviceInfoSet::ForEachDevice(const SetupApi& api, const GUID* guid, const char* enumerator,
                                     DWORD flags,
                                     const std::function<void(HDEVINFO, SP_DEVINFO_DATA&)>& each) {
    DeviceInfoSet owned(api, api.SetupDiGetClassDevsA(guid, enumerator, nullptr, flags));
    if (!owned.Valid())
        return Listing::NoSet;
    SP_DEVINFO_DATA device;
    std::memset(&device, 0, sizeof device);
    device.cbSize = sizeof device;
    for (DWORD index = 0; api.SetupDiEnumDeviceInfo(owned.set, index, &device); ++index)
        each(owned.set, device);
    return GetLastError() == ERROR_NO_MORE_ITEMS ? Listing::Complete : Listing::Broken;
}

DeviceInfoSet::~DeviceInfoSet() {
    if (Valid())
        api.SetupDiDestroyDeviceInfoList(set);
}
