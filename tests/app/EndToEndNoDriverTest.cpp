// The program with /nodriver, against a stand-in setup library whose PCI
// enumerator lists a made-up machine: a report from the device tree, and
// nothing installed.
#include "EndToEnd.h"

namespace {

// The program's setup library while the object lives.
class StandInSetupLibrary {
public:
    StandInSetupLibrary()
        : installed(InstallSetupLibrary(BesideThisTest("standin_setupapi.dll"), program)) {}
    ~StandInSetupLibrary() { RestoreSetupLibrary(program); }
    const bool installed;

private:
    static constexpr const char* program = "SysReport.exe";
};

} // namespace

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
    const std::string registers = "VendorID =0x7A3E;\r\nDeviceID =0x5B40;\r\nAGP =0xFFFF;\r\n"
                                  "GFX =0x5B42;\r\nICH =0xFFFF;\r\nICHR =0x5B70;\r\n"
                                  "IDE =0xFFFF;\r\nSMBus =0x5B73;\r\nICHRev =0xF;\r\n"
                                  "ICHRRev =0x5;\r\nIDERev =0xF;\r\nSMBusRev =0x5;\r\nWaveLink310";
    EXPECT_EQ(registers, Captured("input.txt").substr(0, registers.size()));
    ExpectNothingLeft();
}
