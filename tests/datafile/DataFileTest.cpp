#include "datafile/DataFile.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(SplitDataFile, AtTheFirstMarkerWhichStartsTheScriptOrThrows) {
    DataFileSections s = SplitDataFile("X = PCI(0,0,0,0);\r\n/*ENDVARS*/\r\nf();/*ENDVARS*/\r\n");
    EXPECT_EQ("X = PCI(0,0,0,0);\r\n", s.variables);
    EXPECT_EQ("/*ENDVARS*/\r\nf();/*ENDVARS*/\r\n", s.script);
    s = SplitDataFile("/*ENDVARS*/\r\nf();");
    EXPECT_EQ("", s.variables);
    EXPECT_EQ("/*ENDVARS*/\r\nf();", s.script);
    EXPECT_THROW(SplitDataFile("X = PCI(0,0,0,0);\r\n/*ENDVARS*"), std::out_of_range);
    EXPECT_THROW(SplitDataFile(""), std::out_of_range);
}
