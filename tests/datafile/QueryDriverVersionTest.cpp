#include "datafile/QueryDriverVersion.h"

#include "win/Paths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

// The emulated platform's setup API lists no driver versions, so the query
// runs here against a table of doubles that play a small device tree.
namespace {

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

FakePlatform fake;

const GUID netClass = {
    0x4d36e972, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
HDEVINFO const fakeSet = reinterpret_cast<HDEVINFO>(0x5E7);

DWORDLONG Version(unsigned a, unsigned b, unsigned c, unsigned d) {
    return DWORDLONG(a) << 48 | DWORDLONG(b) << 32 | DWORDLONG(c) << 16 | d;
}

FakeDevice& DeviceOf(const SP_DEVINFO_DATA* data) {
    return fake.devices.at(data->DevInst - 100);
}

BOOL WINAPI FakeClassGuids(PCSTR name, LPGUID list, DWORD size, PDWORD required) {
    if (fake.guidCallFails)
        return FALSE;
    *required = 0;
    if (fake.classKnown && std::strcmp(name, "net") == 0 && size >= 1) {
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

HDEVINFO WINAPI FakeGetClassDevs(const GUID* guid, PCSTR enumerator, HWND window, DWORD flags) {
    EXPECT_TRUE(IsEqualGUID(netClass, *guid));
    EXPECT_EQ(nullptr, enumerator);
    EXPECT_EQ(nullptr, window);
    EXPECT_EQ(DWORD(DIGCF_PRESENT), flags);
    ++fake.setsCreated;
    return fakeSet;
}

BOOL WINAPI FakeEnumDeviceInfo(HDEVINFO set, DWORD index, PSP_DEVINFO_DATA data) {
    EXPECT_EQ(fakeSet, set);
    EXPECT_EQ(sizeof(SP_DEVINFO_DATA), data->cbSize);
    if (index >= fake.devices.size()) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    data->DevInst = 100 + index;
    return TRUE;
}

CONFIGRET WINAPI FakeGetDeviceId(DEVINST device, PCHAR buffer, ULONG length, ULONG flags,
                                 HMACHINE machine) {
    EXPECT_EQ(ULONG(MAX_DEVICE_ID_LEN), length);
    EXPECT_EQ(0u, flags);
    EXPECT_EQ(nullptr, machine);
    for (ULONG i = 0; i < length; ++i)
        fake.idBufferWasClear = fake.idBufferWasClear && buffer[i] == 0;
    const FakeDevice& d = fake.devices.at(device - 100);
    if (d.idResult == CR_SUCCESS && d.writesId)
        std::strcpy(buffer, d.id.c_str());
    if (d.idResult != CR_SUCCESS) // a failing call may leave anything behind
        std::strcpy(buffer, "PCI\\VEN_1A2B&DEV_3C4D");
    return d.idResult;
}

BOOL WINAPI FakeGetInstallParams(HDEVINFO, PSP_DEVINFO_DATA, PSP_DEVINSTALL_PARAMS_A params) {
    EXPECT_EQ(sizeof(SP_DEVINSTALL_PARAMS_A), params->cbSize);
    params->FlagsEx = DI_FLAGSEX_DIDINFOLIST;
    return TRUE;
}

BOOL WINAPI FakeSetInstallParams(HDEVINFO, PSP_DEVINFO_DATA, PSP_DEVINSTALL_PARAMS_A params) {
    fake.storedFlagsEx.push_back(params->FlagsEx);
    return TRUE;
}

BOOL WINAPI FakeBuildDriverList(HDEVINFO, PSP_DEVINFO_DATA data, DWORD type) {
    EXPECT_EQ(DWORD(SPDIT_COMPATDRIVER), type);
    return !DeviceOf(data).listFails;
}

BOOL WINAPI FakeEnumDriverInfo(HDEVINFO, PSP_DEVINFO_DATA data, DWORD type, DWORD index,
                               PSP_DRVINFO_DATA_A info) {
    EXPECT_EQ(DWORD(SPDIT_COMPATDRIVER), type);
    EXPECT_EQ(sizeof(SP_DRVINFO_DATA_V2_A), info->cbSize);
    const FakeDevice& d = DeviceOf(data);
    if (d.listFails || index >= d.drivers.size())
        return FALSE;
    std::strcpy(info->Description, d.drivers[index].description.c_str());
    info->DriverVersion = d.drivers[index].version;
    return TRUE;
}

BOOL WINAPI FakeDestroySet(HDEVINFO set) {
    EXPECT_EQ(fakeSet, set);
    ++fake.setsDestroyed;
    return TRUE;
}

SetupApi Doubles() {
    SetupApi api;
    api.SetupDiClassGuidsFromNameA = FakeClassGuids;
    api.SetupDiGetClassDevsA = FakeGetClassDevs;
    api.SetupDiEnumDeviceInfo = FakeEnumDeviceInfo;
    api.SetupDiGetDeviceInstallParamsA = FakeGetInstallParams;
    api.SetupDiSetDeviceInstallParamsA = FakeSetInstallParams;
    api.SetupDiBuildDriverInfoList = FakeBuildDriverList;
    api.SetupDiEnumDriverInfoA = FakeEnumDriverInfo;
    api.SetupDiDestroyDeviceInfoList = FakeDestroySet;
    api.CM_Get_Device_ID_ExA = FakeGetDeviceId;
    return api;
}

const char nicId[] = "PCI\\VEN_1A2B&DEV_3C4D&SUBSYS_5E6F1A2B&REV_01\\4&1F2E3D4C&0&00E0";
const char otherId[] = "PCI\\VEN_2B3C&DEV_0001&SUBSYS_00000000&REV_02\\4&2&0&00E1";

class QueryDriverVersionTest : public testing::Test {
protected:
    void SetUp() override { fake = FakePlatform(); }
    void TearDown() override {
        EXPECT_EQ(fake.setsCreated, fake.setsDestroyed);
        EXPECT_TRUE(fake.idBufferWasClear);
    }

    std::string Query(const char* id, const char* className = "net") {
        return QueryDriverVersion(Doubles(), className, id, description);
    }

    std::string description = "untouched";
};

} // namespace

TEST_F(QueryDriverVersionTest, NoMatchingDeviceLeavesDescription) {
    fake.devices = {{otherId, CR_SUCCESS, true, false, {{"Other", Version(1, 0, 0, 0)}}}};
    EXPECT_EQ("", Query("VEN_1A2B&DEV_3C4D"));
    EXPECT_EQ("untouched", description);
    EXPECT_EQ(1, fake.setsCreated);
}

TEST_F(QueryDriverVersionTest, OneDriverOfAContainedIdentifier) {
    fake.devices = {
        {otherId, CR_SUCCESS, true, false, {{"Other", Version(1, 0, 0, 0)}}},
        {nicId, CR_SUCCESS, true, false, {{"Zarnik Z-Link 900", Version(7, 2, 0, 16)}}}};
    EXPECT_EQ("7.2.0.16", Query("VEN_1A2B&DEV_3C4D"));
    EXPECT_EQ("Zarnik Z-Link 900", description);
    // The installed driver is asked for, excluded or not; other flags stay.
    EXPECT_EQ(std::vector<DWORD>{DI_FLAGSEX_DIDINFOLIST | 0x04000800}, fake.storedFlagsEx);
}

TEST_F(QueryDriverVersionTest, IdentifierMatchIsCaseSensitive) {
    fake.devices = {{nicId, CR_SUCCESS, true, false, {{"Nic", Version(7, 2, 0, 16)}}}};
    EXPECT_EQ("", Query("ven_1a2b"));
    EXPECT_EQ("untouched", description);
}

TEST_F(QueryDriverVersionTest, VersionPartsUnpadded) {
    fake.devices = {{nicId, CR_SUCCESS, true, false, {{"Nic", Version(65535, 0, 65535, 0)}}}};
    EXPECT_EQ("65535.0.65535.0", Query("VEN_1A2B"));
    fake.devices[0].drivers[0].version = Version(0, 65535, 0, 65535);
    EXPECT_EQ("0.65535.0.65535", Query("VEN_1A2B"));
}

TEST_F(QueryDriverVersionTest, TwoEntriesAreMarkedInListOrder) {
    fake.devices = {{nicId,
                     CR_SUCCESS,
                     true,
                     false,
                     {{"First", Version(7, 2, 0, 16)}, {"Second", Version(7, 1, 0, 3)}}}};
    EXPECT_EQ("(Multiple driver versions detected) 7.2.0.16, 7.1.0.3", Query("VEN_1A2B"));
    EXPECT_EQ("Second", description);
}

TEST_F(QueryDriverVersionTest, SeveralMatchingDevicesShareOneList) {
    fake.devices = {{nicId, CR_SUCCESS, true, false, {{"A", Version(1, 0, 0, 1)}}},
                    {nicId, CR_SUCCESS, true, false, {{"B", Version(2, 0, 0, 2)}}}};
    EXPECT_EQ("1.0.0.1, 2.0.0.2", Query("VEN_1A2B"));
    EXPECT_EQ("B", description);

    // One marker, however many devices list several entries.
    fake.devices.push_back(
        {nicId, CR_SUCCESS, true, false, {{"C", Version(3, 0, 0, 3)}, {"D", Version(4, 0, 0, 4)}}});
    fake.devices.push_back(
        {nicId, CR_SUCCESS, true, false, {{"E", Version(5, 0, 0, 5)}, {"F", Version(6, 0, 0, 6)}}});
    EXPECT_EQ("(Multiple driver versions detected) "
              "1.0.0.1, 2.0.0.2, 3.0.0.3, 4.0.0.4, 5.0.0.5, 6.0.0.6",
              Query("VEN_1A2B"));
    EXPECT_EQ("F", description);
}

TEST_F(QueryDriverVersionTest, EmptyIdentifierMatchesEveryDevice) {
    fake.devices = {{otherId, CR_SUCCESS, true, false, {{"Other", Version(1, 0, 0, 0)}}},
                    {nicId, CR_SUCCESS, true, false, {{"Nic", Version(7, 2, 0, 16)}}}};
    EXPECT_EQ("1.0.0.0, 7.2.0.16", Query(""));
    EXPECT_EQ("Nic", description);
}

TEST_F(QueryDriverVersionTest, DeviceWithoutDriverListAddsNothing) {
    fake.devices = {{nicId, CR_SUCCESS, true, false, {{"Nic", Version(7, 2, 0, 16)}}},
                    {nicId, CR_SUCCESS, true, true, {{"Broken", Version(9, 9, 9, 9)}}},
                    {nicId, CR_SUCCESS, true, false, {}}};
    EXPECT_EQ("7.2.0.16", Query("VEN_1A2B"));
    EXPECT_EQ("Nic", description);
}

TEST_F(QueryDriverVersionTest, UnreadableIdentifierIsEmpty) {
    // A failing read, and one that reports success without writing right
    // after a matching device: neither may match by a leftover identifier.
    fake.devices = {{nicId, CR_SUCCESS, true, false, {{"Nic", Version(7, 2, 0, 16)}}},
                    {nicId, CR_NO_SUCH_DEVINST, true, false, {{"Gone", Version(1, 1, 1, 1)}}},
                    {nicId, CR_SUCCESS, false, false, {{"Silent", Version(2, 2, 2, 2)}}}};
    EXPECT_EQ("7.2.0.16", Query("VEN_1A2B"));
    EXPECT_EQ("Nic", description);
    // Both count as the empty identifier, which the empty text matches.
    EXPECT_EQ("7.2.0.16, 1.1.1.1, 2.2.2.2", Query(""));
    EXPECT_EQ("Silent", description);
}

TEST_F(QueryDriverVersionTest, UnknownClassEnumeratesNothing) {
    fake.devices = {{nicId, CR_SUCCESS, true, false, {{"Nic", Version(7, 2, 0, 16)}}}};
    EXPECT_EQ("", Query("", "nosuchclass")); // required size 0
    fake.guidCallFails = true;
    EXPECT_EQ("", Query(""));
    EXPECT_EQ("untouched", description);
    EXPECT_EQ(0, fake.setsCreated);
}

TEST_F(QueryDriverVersionTest, ClassWithSeveralGuidsUsesTheFirst) {
    fake.devices = {{nicId, CR_SUCCESS, true, false, {{"Nic", Version(7, 2, 0, 16)}}}};
    EXPECT_EQ("7.2.0.16", Query("VEN_1A2B", "twoguids"));
    EXPECT_EQ("Nic", description);
}

TEST_F(QueryDriverVersionTest, IncompleteTableGivesEmptyText) {
    fake.devices = {{nicId, CR_SUCCESS, true, false, {{"Nic", Version(7, 2, 0, 16)}}}};
    SetupApi api = Doubles();
    api.CM_Get_Device_ID_ExA = nullptr;
    EXPECT_EQ("", QueryDriverVersion(api, "net", "", description));
    EXPECT_EQ("untouched", description);
    EXPECT_EQ(0, fake.setsCreated);
}

// The emulated platform's own setup API: only "nothing found" can be seen.
TEST(QueryDriverVersion, SystemLibraryFindsNothingHere) {
    std::string description = "untouched";
    EXPECT_EQ("", QueryDriverVersion("net", "", description));
    EXPECT_EQ("", QueryDriverVersion("nosuchclass", "VEN_1A2B", description));
    EXPECT_EQ("untouched", description);
}

namespace {

std::string ProgramDir() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, length);
    return name.substr(0, name.find_last_of('\\'));
}

bool PlantWasLoaded() {
    char flag[4];
    return GetEnvironmentVariableA("PLANTED_SETUPAPI_LOADED", flag, sizeof flag) != 0;
}

// A SetupApi.dll beside the program for the length of a test.
class Plant {
public:
    Plant() : path(JoinPath(ProgramDir(), "SetupApi.dll")) {
        SetEnvironmentVariableA("PLANTED_SETUPAPI_LOADED", nullptr);
        copied =
            CopyFileA(JoinPath(ProgramDir(), "planted_setupapi.dll").c_str(), path.c_str(), FALSE);
    }
    ~Plant() {
        DeleteFileA(path.c_str());
        SetEnvironmentVariableA("PLANTED_SETUPAPI_LOADED", nullptr);
    }
    BOOL copied;

private:
    std::string path;
};

} // namespace

TEST(QueryDriverVersion, LibraryPlantedBesideTheProgramIsNotLoaded) {
    Plant plant;
    ASSERT_TRUE(plant.copied);
    std::string description;
    QueryDriverVersion("net", "", description);
    EXPECT_FALSE(PlantWasLoaded());

    // A load by bare name does reach the plant here (the test run prefers
    // native copies of this library), so the check above has teeth.
    HMODULE byName = LoadLibraryA("SetupApi.dll");
    EXPECT_TRUE(PlantWasLoaded()) << "run with WINEDLLOVERRIDES=setupapi=n,b";
    if (byName)
        FreeLibrary(byName);
}
