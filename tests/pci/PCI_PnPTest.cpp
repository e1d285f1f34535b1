// PCI_PnP against setup-API doubles that play a small machine.
#include "pci/PCI_PnP.h"

#include "errors/Except.h"
#include "support/FakeSetupApi.h"

#include <gtest/gtest.h>

namespace {

class PCIPnP : public testing::Test {
protected:
    void SetUp() override { fakeSetup = FakePlatform(); }
    void TearDown() override { EXPECT_EQ(fakeSetup.setsCreated, fakeSetup.setsDestroyed); }

    SetupApi api = Doubles();
};

} // namespace

TEST_F(PCIPnP, RegistersComeFromTheIdentifiers) {
    fakeSetup.devices = {
        // Beyond any configuration address: must not stand in for 0:0.0.
        PciFunction(0, 32, 0, MultiString({"PCI\\VEN_7A3E&DEV_1111&SUBSYS_11117A3E&REV_11"}),
                    MultiString({"PCI\\CC_111111"})),
        PciFunction(0, 0, 0,
                    MultiString({"PCI\\VEN_7A3E&DEV_5B40&SUBSYS_5B417A3E&REV_02",
                                 "PCI\\VEN_7A3E&DEV_5B40&SUBSYS_5B417A3E",
                                 "PCI\\VEN_7A3E&DEV_5B40&CC_060000"}),
                    MultiString({"PCI\\VEN_7A3E&DEV_5B40&REV_02", "PCI\\VEN_7A3E&CC_060000",
                                 "PCI\\VEN_7A3E&CC_0600", "PCI\\CC_060000", "PCI\\CC_0600"})),
        // No SUBSYS, the short class code, the list unterminated.
        PciFunction(0, 31, 3, "PCI\\VEN_7A3E&DEV_5B73&REV_05",
                    MultiString({"PCI\\VEN_7A3E&DEV_5B73&REV_05", "PCI\\CC_0C05"})),
        // Malformed: a device ID too long, a subsystem not in hex.
        PciFunction(2, 0, 0, MultiString({"PCI\\VEN_7A3E&DEV_0A001&SUBSYS_0000000G&REV_10"}),
                    MultiString({"PCI\\CC_020000"})),
        // No REV, no compatible IDs.
        PciFunction(2, 1, 0, MultiString({"PCI\\VEN_7A3E&DEV_0A02&SUBSYS_00017A3E"}), ""),
    };
    PCI_PnP pci(api);
    pci.Init();

    // 0:32.8 is 0:0.0: device and function wrap as in the address.
    const struct {
        uint8_t bus, device, function, offset;
        uint32_t value;
    } reads[] = {
        {0, 0, 0, 0x00, 0x5B407A3E},  {0, 0, 0, 0x08, 0x06000002},  {0, 0, 0, 0x2C, 0x5B417A3E},
        {0, 0, 0, 0x2E, 0x5B417A3E},  {0, 0, 0, 0x40, 0xFFFFFFFF},  {0, 32, 8, 0x00, 0x5B407A3E},
        {0, 31, 3, 0x00, 0x5B737A3E}, {0, 31, 3, 0x08, 0x0C050005}, {0, 31, 3, 0x2C, 0xFFFFFFFF},
        {2, 0, 0, 0x00, 0xFFFFFFFF},  {2, 0, 0, 0x08, 0x02000010},  {2, 0, 0, 0x2C, 0xFFFFFFFF},
        {2, 1, 0, 0x00, 0x0A027A3E},  {2, 1, 0, 0x08, 0xFFFFFFFF},  {2, 1, 0, 0x2C, 0x00017A3E},
        {0, 1, 0, 0x00, 0xFFFFFFFF},  {0, 31, 0, 0x00, 0xFFFFFFFF}, {1, 0, 0, 0x00, 0xFFFFFFFF}};
    for (const auto& r : reads)
        EXPECT_EQ(r.value, pci.Read(r.bus, r.device, r.function, r.offset))
            << int(r.bus) << ":" << int(r.device) << "." << int(r.function) << " @"
            << int(r.offset);
    EXPECT_EQ(1, fakeSetup.setsCreated);
}

// A tree that can't be listed is an error; one listed empty has no function.
TEST_F(PCIPnP, OnlyAListedTreeAnswers) {
    fakeSetup.listingFails = true;
    SetupApi incomplete = api;
    incomplete.SetupDiGetDeviceRegistryPropertyA = nullptr;
    for (const SetupApi* table : {&api, &incomplete}) {
        PCI_PnP pci(*table);
        EXPECT_THROW(pci.Init(), Except_NoAccess);
    }
    fakeSetup.listingFails = false;
    PCI_PnP empty(api);
    empty.Init();
    EXPECT_EQ(0xFFFFFFFFu, empty.Read(0, 0, 0, 0));
}
