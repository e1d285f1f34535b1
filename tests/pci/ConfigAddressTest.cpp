// The configuration address that both the driver and the port access build.
#include "driver/PCIUtilIoctl.h"

#include <gtest/gtest.h>

TEST(ConfigAddress, PlacesEachFieldWithTheEnableBitAndGivesThemBack) {
    EXPECT_EQ(0x80000000u, PCIConfigAddress(0, 0, 0, 0));
    EXPECT_EQ(0x8000FFFCu, PCIConfigAddress(0, 31, 7, 0xFC));
    EXPECT_EQ(0x80011340u, PCIConfigAddress(1, 2, 3, 0x40));
    EXPECT_EQ(0x80FF0008u, PCIConfigAddress(255, 0, 0, 8));
    // What the driver hands the HAL: the fields back out of the address, and
    // the offset of the whole dword, never the request's byte.
    const unsigned char cases[][5] = {
        {1, 2, 3, 0x0E, 0x0C}, {1, 2, 3, 0x0F, 0x0C}, {255, 31, 7, 0xFF, 0xFC}, {0, 0, 0, 3, 0}};
    for (const auto& c : cases) {
        unsigned int address = PCIConfigAddress(c[0], c[1], c[2], c[3]);
        EXPECT_EQ(c[0], PCIAddressBus(address));
        EXPECT_EQ(c[1], PCIAddressDevice(address));
        EXPECT_EQ(c[2], PCIAddressFunction(address));
        EXPECT_EQ(c[4], PCIAddressOffset(address)) << int(c[3]);
    }
}
