#include "datafile/Statement.h"

#include <gtest/gtest.h>

namespace {

StatementForm FormOf(const char* text) {
    return Statement(text).Form();
}

} // namespace

TEST(Statement, DriverWordMustStandRightAfterTheEquals) {
    EXPECT_EQ(StatementForm::Driver, FormOf("X = DRIVER(net, V)"));
    EXPECT_EQ(StatementForm::Driver, FormOf("X =DRIVER(net, V)"));
    EXPECT_EQ(StatementForm::Other, FormOf("X =  DRIVER(net, V)"));
    EXPECT_EQ(StatementForm::Other, FormOf("X = driver(net, V)"));
    EXPECT_EQ(StatementForm::PCI, FormOf("X = PCI DRIVER(net, V)"));
}

TEST(Statement, DriverArgumentsAsWritten) {
    Statement s("\r\n// nic\r\nNic = DRIVER( net , VEN_1234&DEV_5678 )");
    EXPECT_EQ("\r\n// nic\r\nNic", s.DriverName());
    EXPECT_EQ(" net ", s.DriverClass());
    EXPECT_EQ("VEN_1234&DEV_5678", s.DriverHardwareId());
    EXPECT_EQ("Nic", Statement("Nic= DRIVER(net, V)").DriverName());
    EXPECT_EQ("Nic", Statement("Nic    = DRIVER(net, V)").DriverName());
    EXPECT_EQ("\r\n", Statement("\r\n = DRIVER(net, V)").DriverName());
    // No ",": the class runs to the end, the id starts at the front.
    Statement noComma("X = DRIVER(net)");
    EXPECT_EQ("net)", noComma.DriverClass());
    EXPECT_EQ("X = DRIVER(net", noComma.DriverHardwareId());
    // A ")" in front of the ",": the id runs to the end.
    Statement closedEarly("X = DRIVER(net), V  ");
    EXPECT_EQ("net)", closedEarly.DriverClass());
    EXPECT_EQ("V", closedEarly.DriverHardwareId());
}
