#include "datafile/QueryDriverVersion.h"

#include "errors/Except.h"
#include "pci/PCI_PnP.h"
#include "support/FakeSetupApi.h"
#include "support/Program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char nicId[] = "PCI\\VEN_1A2B&DEV_3C4D&SUBSYS_5E6F1A2B&REV_01\\4&1F2E3D4C&0&00E0";
const char otherId[] = "PCI\\VEN_2B3C&DEV_0001&SUBSYS_00000000&REV_02\\4&2&0&00E1";

class QueryDriverVersionTest : public testing::Test {
protected:
    void SetUp() override { fakeSetup = FakePlatform(); }
    void TearDown() override {
        EXPECT_EQ(fakeSetup.setsCreated, fakeSetup.setsDestroyed);
        EXPECT_TRUE(fakeSetup.idBufferWasClear);
    }

    std::string Query(const char* id, const char* className = "net") {
        return QueryDriverVersion(Doubles(), className, id, description);
    }

    std::string description = "untouched";
};

} // namespace

TEST_F(QueryDriverVersionTest, OneDriverOfAContainedIdentifierInItsCase) {
    fakeSetup.devices = {
        {otherId, CR_SUCCESS, true, false, {{"Other", Version(1, 0, 0, 0)}}},
        {nicId, CR_SUCCESS, true, false, {{"Zarnik Z-Link 900", Version(7, 2, 0, 16)}}}};
    EXPECT_EQ("", Query("ven_1a2b"));
    EXPECT_EQ("untouched", description);
    EXPECT_EQ("7.2.0.16", Query("VEN_1A2B&DEV_3C4D"));
    EXPECT_EQ("Zarnik Z-Link 900", description);
    // The installed driver is asked for, excluded or not; other flags stay.
    EXPECT_EQ(std::vector<DWORD>{DI_FLAGSEX_DIDINFOLIST | 0x04000800}, fakeSetup.storedFlagsEx);
}

// Each version part is written unpadded.
TEST_F(QueryDriverVersionTest, SeveralMatchingDevicesShareOneList) {
    fakeSetup.devices = {{nicId, CR_SUCCESS, true, false, {{"A", Version(65535, 0, 65535, 0)}}},
                         {nicId, CR_SUCCESS, true, false, {{"B", Version(0, 65535, 0, 65535)}}}};
    EXPECT_EQ("65535.0.65535.0, 0.65535.0.65535", Query("VEN_1A2B"));
    EXPECT_EQ("B", description);

    // One marker, however many devices list several entries.
    fakeSetup.devices.push_back(
        {nicId, CR_SUCCESS, true, false, {{"C", Version(3, 0, 0, 3)}, {"D", Version(4, 0, 0, 4)}}});
    fakeSetup.devices.push_back(
        {nicId, CR_SUCCESS, true, false, {{"E", Version(5, 0, 0, 5)}, {"F", Version(6, 0, 0, 6)}}});
    EXPECT_EQ("(Multiple driver versions detected) "
              "65535.0.65535.0, 0.65535.0.65535, 3.0.0.3, 4.0.0.4, 5.0.0.5, 6.0.0.6",
              Query("VEN_1A2B"));
    EXPECT_EQ("F", description);
}

TEST_F(QueryDriverVersionTest, DevicesThatAddNothing) {
    fakeSetup.devices = {{nicId, CR_SUCCESS, true, false, {{"Nic", Version(7, 2, 0, 16)}}},
                         {nicId, CR_SUCCESS, true, true, {{"Broken", Version(9, 9, 9, 9)}}},
                         {nicId, CR_SUCCESS, true, false, {}},
                         {nicId, CR_SUCCESS, true, false, {{"NoParams", Version(8, 8, 8, 8)}}},
                         {nicId, CR_NO_SUCH_DEVINST, true, false, {{"Gone", Version(1, 1, 1, 1)}}},
                         {nicId, CR_SUCCESS, false, false, {{"Silent", Version(2, 2, 2, 2)}}}};
    fakeSetup.devices[3].paramsFail = true;
    EXPECT_EQ("7.2.0.16", Query("VEN_1A2B"));
    EXPECT_EQ("Nic", description);
    // Parameters that can't be read are never written back, cleared.
    EXPECT_EQ(std::vector<DWORD>(3, DI_FLAGSEX_DIDINFOLIST | 0x04000800), fakeSetup.storedFlagsEx);
    // A failing identifier read, and one that reports success without
    // writing right after a matching device: neither may match by a leftover
    // identifier. Both count as the empty identifier, which the empty text
    // matches.
    EXPECT_EQ("7.2.0.16, 1.1.1.1, 2.2.2.2", Query(""));
    EXPECT_EQ("Silent", description);
}

// The driver query and the device tree share the listing: one that breaks
// off partway is an error to both, never a shorter list.
TEST_F(QueryDriverVersionTest, ListingThatFailsPartwayIsAnError) {
    fakeSetup.devices = {{nicId, CR_SUCCESS, true, false, {{"Nic", Version(7, 2, 0, 16)}}}, {}};
    fakeSetup.devices[1].enumFails = true;
    EXPECT_THROW(Query("VEN_1A2B"), Except_NoAccess);
    EXPECT_THROW(PCI_PnP(Doubles()).Init(), Except_NoAccess);
}

// An unknown class, a failing class call or an incomplete table lists
// nothing; a class with several GUIDs uses the first.
TEST_F(QueryDriverVersionTest, ClassAndTableDecideWhetherAnythingIsListed) {
    fakeSetup.devices = {{nicId, CR_SUCCESS, true, false, {{"Nic", Version(7, 2, 0, 16)}}}};
    EXPECT_EQ("", Query("", "nosuchclass")); // required size 0
    fakeSetup.guidCallFails = true;
    EXPECT_EQ("", Query(""));
    fakeSetup.guidCallFails = false;
    SetupApi api = Doubles();
    api.CM_Get_Device_ID_ExA = nullptr;
    EXPECT_EQ("", QueryDriverVersion(api, "net", "", description));
    EXPECT_EQ("untouched", description);
    EXPECT_EQ(0, fakeSetup.setsCreated);
    EXPECT_EQ("7.2.0.16", Query("VEN_1A2B", "twoguids"));
    EXPECT_EQ("Nic", description);
}

namespace {

bool PlantWasLoaded() {
    char flag[4];
    return GetEnvironmentVariableA("PLANTED_SETUPAPI_LOADED", flag, sizeof flag) != 0;
}

// A SetupApi.dll beside the program for the length of a test.
class Plant {
public:
    Plant() : path(BesideThisTest("SetupApi.dll")) {
        SetEnvironmentVariableA("PLANTED_SETUPAPI_LOADED", nullptr);
        copied = CopyFileA(BesideThisTest("planted_setupapi.dll").c_str(), path.c_str(), FALSE);
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
