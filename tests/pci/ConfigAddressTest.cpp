// The configuration address that both the driver and the port access build.
#include "pci/PCIUtilIoctl.h"

#include <gtest/gtest.h>

TEST(ConfigAddress, PlacesEachFieldWithTheEnableBit) {
    EXPECT_EQ(0x80000000u, PCIConfigAddress(0, 0, 0, 0));
    EXPECT_EQ(0x8000FFFCu, PCIConfigAddress(0, 31, 7, 0xFC));
    EXPECT_EQ(0x80011340u, PCIConfigAddress(1, 2, 3, 0x40));
    EXPECT_EQ(0x80FF0008u, PCIConfigAddress(255, 0, 0, 8));
}

TEST(ConfigAddress, DeviceAndFunctionKeepTheirLowBits) {
    EXPECT_EQ(0x80000200u, PCIConfigAddress(0, 32, 2, 0));
    EXPECT_EQ(PCIConfigAddress(0, 0, 2, 0), PCIConfigAddress(0, 32, 2, 0));
    EXPECT_EQ(PCIConfigAddress(0, 5, 0, 0), PCIConfigAddress(0, 5, 8, 0));
    EXPECT_EQ(0x8000FF00u, PCIConfigAddress(0, 0xFF, 0xFF, 0));
}

TEST(ConfigAddress, OffsetSelectsTheDwordHoldingTheByte) {
    EXPECT_EQ(0x8000000Cu, PCIConfigAddress(0, 0, 0, 0x0E));
    EXPECT_EQ(0x8000000Cu, PCIConfigAddress(0, 0, 0, 0x0F));
    EXPECT_EQ(0x800000FCu, PCIConfigAddress(0, 0, 0, 0xFF));
}
