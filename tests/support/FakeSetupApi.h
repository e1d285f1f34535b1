// A table of setup-API doubles that play a small device tree: the emulated
// platform's own setup API lists no devices or driver versions.
#pragma once

#include "win/SetupApi.h"

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
};

struct FakePlatform {
    bool classKnown = true;
    bool guidCallFails = false;
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

// Every entry point filled with a double.
SetupApi Doubles();
