// Owns a device information set of a setup-API table and destroys it, with
// the driver lists built on it, on destruction.
#pragma once

#include "win/SetupApi.h"

class DeviceInfoSet {
public:
    // `api` must outlive the object.
    DeviceInfoSet(const SetupApi& api, HDEVINFO set) : api(api), set(set) {}
    ~DeviceInfoSet() {
        if (Valid())
            api.SetupDiDestroyDeviceInfoList(set);
    }
    DeviceInfoSet(const DeviceInfoSet&) = delete;
    DeviceInfoSet& operator=(const DeviceInfoSet&) = delete;

    bool Valid() const { return set != INVALID_HANDLE_VALUE && set != nullptr; }
    HDEVINFO Get() const { return set; }

private:
    const SetupApi& api;
    HDEVINFO set;
};
