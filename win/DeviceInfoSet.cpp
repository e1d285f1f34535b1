#include "win/DeviceInfoSet.h"

#include <cstring>

bool DeviceInfoSet::ForEachDevice(const SetupApi& api, const GUID* guid, const char* enumerator,
                                  DWORD flags,
                                  const std::function<void(HDEVINFO, SP_DEVINFO_DATA&)>& each) {
    DeviceInfoSet owned(api, api.SetupDiGetClassDevsA(guid, enumerator, nullptr, flags));
    if (!owned.Valid())
        return false;
    SP_DEVINFO_DATA device;
    std::memset(&device, 0, sizeof device);
    device.cbSize = sizeof device;
    for (DWORD index = 0; api.SetupDiEnumDeviceInfo(owned.set, index, &device); ++index)
        each(owned.set, device);
    return true;
}

DeviceInfoSet::~DeviceInfoSet() {
    if (Valid())
        api.SetupDiDestroyDeviceInfoList(set);
}
