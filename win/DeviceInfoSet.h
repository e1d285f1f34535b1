// The devices of a setup-API table's device information sets, one at a time.
#pragma once

#include "win/SetupApi.h"

#include <functional>

// How a listing ended.
enum class Listing {
    Complete, // every device was handed on
    NoSet,    // the set can't be had: nothing was handed on
    Broken,   // the listing failed partway: what was handed on is not all
};

class DeviceInfoSet {
public:
    // Gets the set that SetupDiGetClassDevsA makes of `guid`, `enumerator`
    // and `flags`, and hands `each` every device it lists, in order, with the
    // set. The set, with the driver lists built on it, is destroyed
    // afterwards, also when `each` throws. Only a listing that ends with
    // ERROR_NO_MORE_ITEMS is complete.
    static Listing ForEachDevice(const SetupApi& api, const GUID* guid, const char* enumerator,
                                 DWORD flags,
                                 const std::function<void(HDEVINFO, SP_DEVINFO_DATA&)>& each);

private:
    DeviceInfoSet(const SetupApi& api, HDEVINFO set) : api(api), set(set) {}
    ~DeviceInfoSet();
    DeviceInfoSet(const DeviceInfoSet&) = delete;
    DeviceInfoSet& operator=(const DeviceInfoSet&) = delete;

    bool Valid() const { return set != INVALID_HANDLE_VALUE && set != nullptr; }

    const SetupApi& api;
    HDEVINFO set;
};
