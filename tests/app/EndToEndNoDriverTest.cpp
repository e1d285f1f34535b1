// The program with /nodriver, against a stand-in setup library whose PCI
// enumerator lists a made-up machine: a report from the device tree, and
// nothing installed.
#include "EndToEnd.h"

// 0:0.0, 0:0.2 (read as device 32), 0:31.0 and 0:31.3 are listed; 0:1.0,
// 0:30.0 and 0:31.1 are not.
TEST_F(EndToEnd, NoDriverReportsTheDeviceTreeAndInstallsNothing) {
    ProgramOutcome outcome;
    {
        StandInSetupLibrary library;
        ASSERT_TRUE(library.installed);
        outcome = Run(SYSREPORT_EXE, "/nodriver");
    }
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_TRUE(outcome.boxes.empty());
    ASSERT_TRUE(HostRan());
    EXPECT_EQ(standInRegisters, Captured("input.txt").substr(0, standInRegisters.size()));
    ExpectNothingLeft();
}
