// The driver's file and service when something already has the name: what
// is ours is taken over and cleaned up, what is not stays exactly as found.
#include "EndToEnd.h"

#include "win/NamedClaim.h"

#include <memory>

namespace {

std::string DriverImage() {
    return ProgramResource("DRV", "#113");
}

std::string Upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

TEST_F(EndToEnd, ForeignDriverFileStaysAndTheNextDirectoryServes) {
    std::string foreign = DriverImage(), inTemp = TempPath() + "PCIUtil.sys";
    foreign.back() ^= 1;
    WriteFileBytes(inTemp, foreign);
    ProgramOutcome outcome = Run();
    std::string after = ReadFileBytes(inTemp);
    DeleteFileA(inTemp.c_str());
    EXPECT_EQ(foreign, after);
    EXPECT_TRUE(outcome.boxes.empty());
    EXPECT_TRUE(HostRan());
    ExpectNothingLeft();
}

// Another product's service, running; and one of ours that a live run holds.
TEST_F(EndToEnd, ServiceNotOursToTakeIsLeftAsFound) {
    struct Case {
        std::string image;
        bool running, liveRun;
    } cases[] = {{scratch / "PCIUtil.sys", true, false}, {TempPath() + "PCIUtil.sys", false, true}};
    WriteFileBytes(cases[0].image, DriverImage());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        ASSERT_TRUE(InstallService("PCIUtil", c.image, c.running));
        ProgramOutcome outcome;
        {
            std::unique_ptr<NamedClaim> run(c.liveRun ? new NamedClaim("SysReport.PCIUtil")
                                                      : nullptr);
            outcome = Run();
        }
        DWORD state = ServiceState("PCIUtil");
        std::string path = ServiceImagePath("PCIUtil");
        RemoveService("PCIUtil");
        EXPECT_EQ(DWORD(c.running ? SERVICE_RUNNING : SERVICE_STOPPED), state);
        EXPECT_EQ(c.image, path);
        ExpectOneErrorBox(outcome);
        EXPECT_FALSE(HostRan());
        ExpectNothingLeft();
    }
}

// As a killed run leaves it: stopped, with the service manager's spelling of
// the path; or still running from its file.
TEST_F(EndToEnd, OwnLeftoverServiceIsTakenOverAndRemoved) {
    std::string inTemp = TempPath() + "PCIUtil.sys";
    WriteFileBytes(inTemp, DriverImage());
    ASSERT_TRUE(InstallService("PCIUtil", "\\??\\" + Upper(SystemDir()) + "\\PCIUTIL.SYS", false));
    ProgramOutcome stopped = Run();
    RemoveService("PCIUtil");
    EXPECT_TRUE(stopped.boxes.empty());
    EXPECT_TRUE(HostRan());
    ExpectNothingLeft();

    DeleteFileA((capture + "\\cmdline.txt").c_str());
    WriteFileBytes(inTemp, DriverImage());
    ASSERT_TRUE(InstallService("PCIUtil", inTemp, true));
    ProgramOutcome running = Run();
    RemoveService("PCIUtil");
    EXPECT_TRUE(running.boxes.empty());
    EXPECT_TRUE(HostRan());
    ExpectNothingLeft();
}
