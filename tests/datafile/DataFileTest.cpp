#include "datafile/DataFile.h"

#include "RecordingPCI.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(SplitDataFile, AtTheFirstMarkerWhichStartsTheScript) {
    DataFileSections s = SplitDataFile("X = PCI(0,0,0,0);\r\n/*ENDVARS*/\r\nf();/*ENDVARS*/\r\n");
    EXPECT_EQ("X = PCI(0,0,0,0);\r\n", s.variables);
    EXPECT_EQ("/*ENDVARS*/\r\nf();/*ENDVARS*/\r\n", s.script);
}

TEST(SplitDataFile, MarkerFirstGivesEmptyVariables) {
    DataFileSections s = SplitDataFile("/*ENDVARS*/\r\nf();");
    EXPECT_EQ("", s.variables);
    EXPECT_EQ("/*ENDVARS*/\r\nf();", s.script);
}

TEST(SplitDataFile, MissingMarkerThrowsOutOfRange) {
    EXPECT_THROW(SplitDataFile("X = PCI(0,0,0,0);\r\n/*ENDVARS*"), std::out_of_range);
    EXPECT_THROW(SplitDataFile(""), std::out_of_range);
}

// The assignments and the script as the generated script file holds them:
// the line break before the marker is dropped with the tail of the section.
TEST(SplitDataFile, GeneratedScriptJoinsLastAssignmentAndMarker) {
    RecordingPCI pci({0x5678});
    DataFileSections s = SplitDataFile("VendorID = PCI(0,0,0,0[15:0]);\r\n"
                                       "UTILITY_VERSION = ;\r\n"
                                       "/*ENDVARS*/\r\n"
                                       "if (VendorID == 0x5678) show();\r\n");
    EXPECT_EQ("VendorID =0x5678;\r\n"
              "UTILITY_VERSION =\"2.10\";/*ENDVARS*/\r\n"
              "if (VendorID == 0x5678) show();\r\n",
              EvaluateVariables(s.variables, PlatformSources(pci)) + s.script);
}
