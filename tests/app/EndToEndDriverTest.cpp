// The driver's file and service when something already has the name: what
// is ours is taken over and cleaned up, what is not stays exactly as found
// and the report comes from the device tree.
#include "EndToEnd.h"
#include "driver/PCIUtilIoctl.h"

#include "support/Wine.h"
#include "win/NamedClaim.h"

#include <memory>

// Another product's file or service in the driver's place, or a live run
// holding it: each stays exactly as found, and the report comes from the
// device tree instead.
TEST_F(EndToEnd, DriverRouteTakenReportsFromTheTreeAndLeavesItAsFound) {
    const std::string inSystem = GetSystemDir() + "\\" PCIUTIL_FILE_NAME,
                      elsewhere = scratch / PCIUTIL_FILE_NAME;
    std::string foreign = DriverImage(SYSREPORT_EXE);
    foreign.back() ^= 1;
    WriteFileBytes(elsewhere, DriverImage(SYSREPORT_EXE));
    struct Case {
        const char* what;
        std::string file; // put at the system directory's name, if any
        std::string image;
        bool running, liveRun;
    } cases[] = {{"another's file", foreign, "", false, false},
                 {"another's file with its service", foreign, inSystem, false, false},
                 {"another's service, running", "", elsewhere, true, false},
                 {"our leftover service while a run holds it", "", inSystem, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.file.empty())
            WriteFileBytes(inSystem, c.file);
        if (!c.image.empty()) {
            ASSERT_TRUE(InstallService(PCIUTIL_SERVICE_NAME, c.image, c.running));
        }
        ProgramOutcome outcome;
        {
            StandInSetupLibrary library;
            ASSERT_TRUE(library.installed);
            std::unique_ptr<NamedClaim> run(c.liveRun ? new NamedClaim(PCIUTIL_CLAIM_NAME)
                                                      : nullptr);
            outcome = Run();
        }
        DWORD state = ServiceState(PCIUTIL_SERVICE_NAME);
        std::string path = ServiceImagePath(PCIUTIL_SERVICE_NAME);
        std::string file = FileExists(inSystem) ? ReadFileBytes(inSystem) : "";
        RemoveService(PCIUTIL_SERVICE_NAME);
        DeleteFileA(inSystem.c_str());
        EXPECT_EQ(c.image.empty() ? 0 : DWORD(c.running ? SERVICE_RUNNING : SERVICE_STOPPED),
                  state);
        // Wine gives the path back as it was registered, Windows in its own
        // spelling.
        EXPECT_EQ(c.image.empty(), path.empty());
        if (RunningUnderWine()) {
            EXPECT_EQ(c.image, path);
        }
        EXPECT_EQ(c.file, file);
        EXPECT_TRUE(outcome.boxes.empty());
        ASSERT_TRUE(HostRan());
        EXPECT_EQ(standInRegisters, Captured("input.txt").substr(0, standInRegisters.size()));
        DeleteFileA((capture + "\\cmdline.txt").c_str());
        ExpectNothingLeft();
    }
}

// As a killed run leaves it: stopped, with the service manager's spelling of
// the path and no file; or still running from its file.
TEST_F(EndToEnd, OwnLeftoverServiceIsTakenOverAndRemoved) {
    const std::string inSystem = GetSystemDir() + "\\" PCIUTIL_FILE_NAME;
    std::string spelled = "\\??\\" + inSystem;
    CharUpperA(&spelled[0]);
    for (bool running : {false, true}) {
        SCOPED_TRACE(running ? "running" : "stopped");
        if (running)
            WriteFileBytes(inSystem, DriverImage(SYSREPORT_EXE));
        ASSERT_TRUE(InstallService(PCIUTIL_SERVICE_NAME, running ? inSystem : spelled, running));
        ProgramOutcome outcome = Run();
        RemoveService(PCIUTIL_SERVICE_NAME);
        EXPECT_TRUE(outcome.boxes.empty());
        EXPECT_TRUE(HostRan());
        DeleteFileA((capture + "\\cmdline.txt").c_str());
        ExpectNothingLeft();
    }
}
