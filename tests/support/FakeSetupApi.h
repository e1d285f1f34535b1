// Setup-API doubles that play a small device tree: the emulated platform's
// own setup API lists no devices or driver versions. One set of devices
// serves both the class "net" (the driver query) and the PCI enumerator (the
// device-tree reader). The doubles bear the library's own names, so the
// stand-in setup library the end-to-end runs install is these same doubles.
#pragma once

#include "win/SetupApi.h"

#include <initializer_list>
#include <string>
#include <vector>

struct FakeDriver {
    std::string description;
    DWORDLONG version;
};

struct FakeDevice {
    std::string id;
    CONFIGRET idResult = CR_SUCCESS;
    bool writesId = true; // false: reports success and leaves the buffer alone
    bool listFails = false;
    std::vector<FakeDriver> drivers;
    bool paramsFail = false; // its install parameters can't be read
    // What the PCI enumerator's listing says of it. An empty list can't be
    // read; a non-empty one comes as given, NULs and all.
    DWORD bus = 0;
    DWORD address = 0; // device << 16 | function
    std::string hardwareIds{};
    std::string compatibleIds{};
    bool enumFails = false; // the listing fails when it comes to this device
};

struct FakePlatform {
    bool guidCallFails = false;
    bool listingFails = false;
    std::vector<FakeDevice> devices;
    // What the query did.
    int setsCreated = 0;
    int setsDestroyed = 0;
    std::vector<DWORD> storedFlagsEx;
    bool idBufferWasClear = true;
};

// What the doubles answer, and what they saw; reset it before each test.
extern FakePlatform fakeSetup;

// The class "net" ("twoguids" has it as the first of two GUIDs).
extern const GUID netClass;

// The four parts of a driver version, as the setup API packs them.
DWORDLONG Version(unsigned a, unsigned b, unsigned c, unsigned d);

// The entries, each ended by a NUL, and the NUL that ends the list.
std::string MultiString(std::initializer_list<const char*> entries);

// A device the PCI enumerator lists at bus:device.function.
FakeDevice PciFunction(DWORD bus, DWORD device, DWORD function, std::string hardwareIds,
                       std::string compatibleIds);

// Every entry point filled with a double.
SetupApi Doubles();
