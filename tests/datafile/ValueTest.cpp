#include "datafile/BitRange.h"
#include "datafile/Numbers.h"
#include "datafile/Value_PCI.h"

#include "RecordingPCI.h"

#include <gtest/gtest.h>

namespace {

uint32_t Bits(const char* range, uint32_t value) {
    return BitRange(range).Extract(value);
}

} // namespace

TEST(BitRange, SelectsAndShiftsTheBits) {
    EXPECT_EQ(0x5678u, Bits("[15:0]", 0x12345678));
    EXPECT_EQ(0x1234u, Bits("[31:16]", 0x12345678));
    EXPECT_EQ(0x1u, Bits("[4]", 0x12345678));
    EXPECT_EQ(0x1u, Bits("[31]", 0x80000000));
    EXPECT_EQ(0x12345678u, Bits("", 0x12345678));
}

TEST(BitRange, MalformedMeansWholeRegisterOrBitZero) {
    EXPECT_EQ(0xFFFFFFFFu, Bits("[15:0", 0xFFFFFFFF)); // no "]"
    EXPECT_EQ(0xFFFFFFFFu, Bits("15:0]", 0xFFFFFFFF)); // no "["
    EXPECT_EQ(0x1u, Bits("[]", 0xFFFFFFFF));           // an empty inside reads 0: bit 0
    EXPECT_EQ(0x1u, Bits("[x:y]", 0xFFFFFFFF));
    EXPECT_EQ(0x5u, Bits("[ 2 : 0 ]) trailing", 0xFFFFFFFD));
}

TEST(BitRange, PositionsCountModulo32) {
    EXPECT_EQ(0x1u, Bits("[32]", 0xFFFFFFFF)); // high 32 masks one bit, low 32 shifts none
    EXPECT_EQ(0x1u, Bits("[32:0]", 0x3));
    BitRange negative("[-1:0]"); // -1 is the largest unsigned position
    EXPECT_EQ(0xFFFFFFFFu, negative.high);
    EXPECT_EQ(0xFFFFFFFFu, negative.Extract(0xFFFFFFFF));
}

TEST(Numbers, ReadDecimalFollowsAtoi) {
    EXPECT_EQ(7u, ReadDecimal("  +7x"));
    EXPECT_EQ(uint32_t(-3), ReadDecimal("\t\r\n-3"));
    EXPECT_EQ(0u, ReadDecimal("0x1F"));
    EXPECT_EQ(0u, ReadDecimal(""));
    EXPECT_EQ(0u, ReadDecimal("- 5"));
    EXPECT_EQ(0x7FFFFFFFu, ReadDecimal("99999999999999999999"));
    EXPECT_EQ(0x80000000u, ReadDecimal("-99999999999999999999"));
    EXPECT_EQ(12u, ReadDecimal("ab12", 2));
    EXPECT_EQ(0u, ReadDecimal("12", 2)); // at the end
}

TEST(Value_PCI, ReadsFourNumbersAsLowEightBits) {
    Value_PCI value(" 1, 2 ,3, 4)", std::make_unique<BitRange>());
    EXPECT_EQ(PciAddress({1, 2, 3, 4}),
              PciAddress({value.bus, value.device, value.function, value.offset}));

    Value_PCI wrapped("-1,256,0x1F,300,9", std::make_unique<BitRange>());
    EXPECT_EQ(PciAddress({255, 0, 0, 44}),
              PciAddress({wrapped.bus, wrapped.device, wrapped.function, wrapped.offset}));
}
