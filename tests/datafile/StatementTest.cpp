#include "datafile/Statement.h"

#include <gtest/gtest.h>

namespace {

StatementForm FormOf(const char* text) {
    return Statement(text).Form();
}

} // namespace

TEST(Statement, WordMustStandRightAfterTheEquals) {
    EXPECT_EQ(StatementForm::PCI, FormOf("X = PCI(0,0,0,0)"));
    EXPECT_EQ(StatementForm::PCI, FormOf("X =PCI(0,0,0,0)"));
    EXPECT_EQ(StatementForm::Other, FormOf("X =  PCI(0,0,0,0)"));
    EXPECT_EQ(StatementForm::Driver, FormOf("X = DRIVER(net, V)"));
    EXPECT_EQ(StatementForm::Driver, FormOf("X =DRIVER(net, V)"));
    EXPECT_EQ(StatementForm::Other, FormOf("X =  DRIVER(net, V)"));
    EXPECT_EQ(StatementForm::Other, FormOf("X = pci(0,0,0,0)"));
    EXPECT_EQ(StatementForm::Other, FormOf("X = 5"));
    EXPECT_EQ(StatementForm::Other, FormOf("X = \"PCI\""));
}

TEST(Statement, UtilityVersionAnywhereWins) {
    EXPECT_EQ(StatementForm::UtilityVersion, FormOf("\r\nUTILITY_VERSION = "));
    EXPECT_EQ(StatementForm::UtilityVersion, FormOf("MY_UTILITY_VERSION = PCI(0,0,0,0)"));
    EXPECT_EQ(StatementForm::UtilityVersion, FormOf("// UTILITY_VERSION\r\nX = DRIVER(a,b)"));
    EXPECT_EQ(StatementForm::UtilityVersion, FormOf("X = 1 UTILITY_VERSION"));
}

TEST(Statement, WithoutEqualsHasNoForm) {
    EXPECT_EQ(StatementForm::Other, FormOf("PCI(0,0,0,0)"));
    EXPECT_EQ(StatementForm::Other, FormOf("DRIVER(net, V)"));
    EXPECT_EQ(StatementForm::Other, FormOf("UTILITY_VERSION"));
    EXPECT_EQ(StatementForm::Other, FormOf(""));
}

TEST(Statement, HeadKeepsLeadingTextAndSpacesBeforeTheEquals) {
    Statement s("\r\n// note\r\nRev   = PCI(0,31,3,8[3:0])");
    EXPECT_EQ("\r\n// note\r\nRev   =", s.Head());
    EXPECT_EQ(" PCI(0,31,3,8[3:0])", s.Value());
}

TEST(Statement, DriverArguments) {
    Statement s("\r\n// nic\r\nNic = DRIVER( net , VEN_1234&DEV_5678 )");
    EXPECT_EQ("\r\n// nic\r\nNic", s.DriverName());
    EXPECT_EQ(" net ", s.DriverClass());
    EXPECT_EQ("VEN_1234&DEV_5678", s.DriverHardwareId());
}

TEST(Statement, DriverNameWithoutOrWithManySpacesBeforeTheEquals) {
    EXPECT_EQ("Nic", Statement("Nic= DRIVER(net, V)").DriverName());
    EXPECT_EQ("Nic", Statement("Nic    = DRIVER(net, V)").DriverName());
    EXPECT_EQ("\r\n", Statement("\r\n = DRIVER(net, V)").DriverName());
}

TEST(Statement, DriverArgumentsOfMalformedText) {
    // No ",": the class runs to the end, the id starts at the front.
    Statement noComma("X = DRIVER(net)");
    EXPECT_EQ("net)", noComma.DriverClass());
    EXPECT_EQ("X = DRIVER(net", noComma.DriverHardwareId());
    // A ")" in front of the ",": the id runs to the end.
    Statement closedEarly("X = DRIVER(net), V  ");
    EXPECT_EQ("net)", closedEarly.DriverClass());
    EXPECT_EQ("V", closedEarly.DriverHardwareId());
}
